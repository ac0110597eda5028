#include "platform/linux/flock_instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

class FlockInstanceLockTest : public ::testing::Test {
protected:
    testing::TempFolder temp{"lock"};
    std::string base = temp.path.string();
    std::string folder = base + "/tavlo-" + std::to_string(::getuid());
};

TEST_F(FlockInstanceLockTest, TheFirstHolderRunsOnAndASecondIsRefused)
{
    auto first = std::make_unique<FlockInstanceLock>(base, ::getuid());
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning());  // asking again is not a second instance

    FlockInstanceLock second(base, ::getuid());
    EXPECT_TRUE(second.anotherInstanceRunning());

    first.reset();
    EXPECT_FALSE(second.anotherInstanceRunning());
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
}

TEST_F(FlockInstanceLockTest, EveryStartOfTheUserFindsTheSameLockWhateverItsEnvironment)
{
    // A start from the desktop and one from a su shell or a sudo session
    // differ in XDG_RUNTIME_DIR, TMPDIR and HOME.
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = saved ? saved : "";
    ::setenv("XDG_RUNTIME_DIR", (base + "/desktop").c_str(), 1);
    FlockInstanceLock desktop(FlockInstanceLock::defaultBase(), ::getuid());
    ASSERT_FALSE(desktop.anotherInstanceRunning());
    ::setenv("XDG_RUNTIME_DIR", (base + "/sudo").c_str(), 1);
    ::setenv("TMPDIR", base.c_str(), 1);
    FlockInstanceLock sudo(FlockInstanceLock::defaultBase(), ::getuid());
    EXPECT_TRUE(sudo.anotherInstanceRunning());
    ::unsetenv("TMPDIR");
    if (saved)
        ::setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(FlockInstanceLockTest, AFolderThatAnotherUserCouldHoldIsNotUsed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a folder of another user needs root";
    const uid_t user = 1000;
    const std::string theirs = base + "/tavlo-1000";
    const auto refusedAfterAHolder = [&] {
        FlockInstanceLock holder(base, user);
        holder.anotherInstanceRunning();
        return FlockInstanceLock(base, user).anotherInstanceRunning();
    };

    // Made in advance by someone else: the user's gadget still starts.
    std::filesystem::create_directory(theirs);
    ASSERT_EQ(::chmod(theirs.c_str(), 0700), 0);
    ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(refusedAfterAHolder());

    // The user's own, but writable by others.
    ASSERT_EQ(::chown(theirs.c_str(), user, user), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0777), 0);
    EXPECT_FALSE(refusedAfterAHolder());

    // A link to a folder of the user's: not followed.
    std::filesystem::remove(theirs);
    std::filesystem::create_directory(base + "/elsewhere");
    ASSERT_EQ(::chown((base + "/elsewhere").c_str(), user, user), 0);
    std::filesystem::create_directory_symlink(base + "/elsewhere", theirs);
    EXPECT_FALSE(refusedAfterAHolder());

    // Its own folder: locked as usual.
    std::filesystem::remove(theirs);
    std::filesystem::create_directory(theirs);
    ASSERT_EQ(::chmod(theirs.c_str(), 0700), 0);
    ASSERT_EQ(::chown(theirs.c_str(), user, user), 0);
    EXPECT_TRUE(refusedAfterAHolder());
}

TEST_F(FlockInstanceLockTest, AKilledHolderDoesNotBlockTheNextStart)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FlockInstanceLock held(base, ::getuid());
        const char answer = held.anotherInstanceRunning() ? 'n' : 'y';
        [[maybe_unused]] auto written = ::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');

    FlockInstanceLock blocked(base, ::getuid());
    EXPECT_TRUE(blocked.anotherInstanceRunning());

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    FlockInstanceLock next(base, ::getuid());
    EXPECT_FALSE(next.anotherInstanceRunning());
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
}  // namespace tavlo
