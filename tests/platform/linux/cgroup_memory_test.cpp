#include "platform/linux/cgroup_memory.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/linux/mmap_memory_blocks.h"
#include "platform/linux/proc_meminfo.h"
#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

TEST(ProcCgroup, FindsTheUnifiedGroupAndTheMemoryControllers)
{
    // A hybrid machine's, as captured: the memory controller in the older
    // hierarchy, the unified one at the root.
    const CgroupPaths hybrid = parseProcCgroup("9:name=systemd:/\n4:memory:/process_api/f90c\n3:cpuset:/\n0::/\n");
    EXPECT_EQ(hybrid.memory, "/process_api/f90c");
    EXPECT_EQ(hybrid.unified, "/");
    const CgroupPaths unified = parseProcCgroup("0::/user.slice/user-1000.slice/app-tavlo.scope\n");
    EXPECT_EQ(unified.unified, "/user.slice/user-1000.slice/app-tavlo.scope");
    EXPECT_FALSE(unified.memory);
    EXPECT_EQ(parseProcCgroup("5:cpu,memory,pids:/a:b\n").memory, "/a:b");
    const CgroupPaths broken = parseProcCgroup("garbage\n7:memory\n8:memory:relative\n");
    EXPECT_FALSE(broken.memory);
    EXPECT_FALSE(broken.unified);
}

TEST(CgroupBytes, ReadsNumbersAndKnowsNoLimit)
{
    EXPECT_EQ(parseCgroupBytes("536870912\n"), 536870912u);
    EXPECT_EQ(parseCgroupBytes("0"), 0u);
    EXPECT_FALSE(parseCgroupBytes("max\n"));
    EXPECT_FALSE(parseCgroupBytes("9223372036854771712\n"));  // the older hierarchy's "no limit"
    EXPECT_EQ(parseCgroupBytes("4611686018427387903"), 4611686018427387903u);
    EXPECT_FALSE(parseCgroupBytes("4611686018427387904"));
    EXPECT_FALSE(parseCgroupBytes("12 kB"));
    EXPECT_FALSE(parseCgroupBytes(""));
}

class CgroupMemoryTest : public ::testing::Test {
protected:
    void write(const fs::path& file, const std::string& text)
    {
        fs::create_directories((folder.path / file).parent_path());
        std::ofstream(folder.path / file) << text;
    }
    std::optional<MemoryFigures> read() { return CgroupMemory(folder.path.string(), (folder.path / "self").string()).read(); }

    testing::TempFolder folder{"cgroup"};
};

// A slice with a limit above a scope without one, and a tighter one higher
// up: the level that leaves the least room counts.
TEST_F(CgroupMemoryTest, TheTightestLevelOnTheWayUpCounts)
{
    write("self", "0::/user.slice/app.slice/tavlo.scope\n");
    write("user.slice/app.slice/tavlo.scope/memory.max", "max\n");
    write("user.slice/app.slice/tavlo.scope/memory.current", "1000\n");
    write("user.slice/app.slice/memory.max", "10000\n");
    write("user.slice/app.slice/memory.current", "4000\n");
    write("user.slice/memory.max", "8000\n");
    write("user.slice/memory.current", "5000\n");
    EXPECT_EQ(read(), (MemoryFigures{8000, 3000}));

    write("user.slice/memory.max", "max\n");
    EXPECT_EQ(read(), (MemoryFigures{10000, 6000}));

    // Past its limit already: no room at all.
    write("user.slice/app.slice/memory.current", "12000\n");
    EXPECT_EQ(read(), (MemoryFigures{10000, 0}));
}

TEST_F(CgroupMemoryTest, TheOlderHierarchysMemoryController)
{
    write("self", "4:memory:/process_api/job\n0::/\n");
    write("memory/process_api/job/memory.limit_in_bytes", "268435456\n");
    write("memory/process_api/job/memory.usage_in_bytes", "68435456\n");
    write("memory/memory.limit_in_bytes", "9223372036854771712\n");
    write("memory/memory.usage_in_bytes", "999999999\n");
    EXPECT_EQ(read(), (MemoryFigures{268435456, 200000000}));
}

TEST_F(CgroupMemoryTest, NoLimitAnywhereIsNone)
{
    write("self", "0::/user.slice\n");
    write("user.slice/memory.max", "max\n");
    write("user.slice/memory.current", "5000\n");
    EXPECT_FALSE(read());
    write("self", "0::/gone.slice\n");
    EXPECT_FALSE(read());
    EXPECT_FALSE(CgroupMemory(folder.path.string(), (folder.path / "missing").string()).read());
}

// In a real control group of 96 MB, a release sized for a machine of
// gigabytes stops at the limit instead of being killed by it.
TEST(CgroupMemory, AReleaseInALimitedGroupStopsAtItsLimit)
{
    std::ifstream self("/proc/self/cgroup");
    const std::string text((std::istreambuf_iterator<char>(self)), std::istreambuf_iterator<char>());
    const CgroupPaths paths = parseProcCgroup(text);
    fs::path group;
    const char* limitFile = nullptr;
    if (paths.memory && fs::exists("/sys/fs/cgroup/memory" + *paths.memory)) {
        group = fs::path("/sys/fs/cgroup/memory" + *paths.memory) / ("tavlo-test-" + std::to_string(::getpid()));
        limitFile = "memory.limit_in_bytes";
    } else if (paths.unified && fs::exists("/sys/fs/cgroup" + *paths.unified + "/memory.max")) {
        group = fs::path("/sys/fs/cgroup" + *paths.unified) / ("tavlo-test-" + std::to_string(::getpid()));
        limitFile = "memory.max";
    } else {
        GTEST_SKIP() << "no memory control group to make a group under";
    }
    std::error_code error;
    if (!fs::create_directory(group, error))
        GTEST_SKIP() << "cannot make a control group here: " << error.message();
    std::ofstream(group / limitFile) << (96 << 20);
    std::ofstream(group / "memory.swappiness") << 0;
    std::ofstream(group / "memory.memsw.limit_in_bytes") << (96 << 20);

    const pid_t child = ::fork();
    if (child == 0) {
        std::ofstream(group / "cgroup.procs") << ::getpid();
        ProcMeminfo memory = ProcMeminfo::everyRead();
        CgroupMemory limit;
        MmapMemoryBlocks blocks(memory, limit);
        // Ten steps of 32 MB: the fourth would pass the limit.
        for (std::uint64_t step = 1; step <= 10; ++step) {
            if (!blocks.reserve(step * (8 << 20)))
                ::_exit(step >= 2 && step <= 3 ? 0 : 10 + static_cast<int>(step));
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    fs::remove(group, error);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: never refused; 10 + step: refused at that step";
}

}  // namespace
}  // namespace tavlo
