#include "platform/linux/posix_file_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

class PosixFileStoreTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (folder / name).string(); }

    static std::string contentOf(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void write(const std::string& file, const std::string& content)
    {
        std::ofstream(file, std::ios::binary) << content;
    }

    testing::TempFolder temp{"store"};
    fs::path folder = temp.path;
    PosixFileStore store;
};

TEST_F(PosixFileStoreTest, EnsureFolderCreatesOneLevelAndAcceptsAnExistingOne)
{
    EXPECT_TRUE(store.ensureFolder(path("QvrnData")).ok);
    EXPECT_TRUE(fs::is_directory(path("QvrnData")));
    EXPECT_TRUE(store.ensureFolder(path("QvrnData")).ok);
    EXPECT_FALSE(store.ensureFolder(path("missing/QvrnData")).ok);
}

TEST_F(PosixFileStoreTest, AFolderNameTakenByAFileIsAFailureWithAReason)
{
    write(path("QvrnData"), "not a folder");
    const IoStatus status = store.ensureFolder(path("QvrnData"));
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason, std::generic_category().message(ENOTDIR));
    EXPECT_EQ(contentOf(path("QvrnData")), "not a folder");  // nothing is deleted
}

TEST_F(PosixFileStoreTest, OpenOrCreateMakesAnEmptyFileAndTellsTheLength)
{
    std::uint64_t length = 99;
    ASSERT_TRUE(store.openOrCreate(path("user1.qvn"), length).ok);
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(fs::exists(path("user1.qvn")));
    write(path("user1.qvn"), std::string(162, ' '));
    ASSERT_TRUE(store.openOrCreate(path("user1.qvn"), length).ok);
    EXPECT_EQ(length, 162u);
    EXPECT_FALSE(store.openOrCreate(path("nowhere/user1.qvn"), length).ok);
}

TEST_F(PosixFileStoreTest, ReadTakesWhatIsThereAndNothingOfAMissingFile)
{
    write(path("f"), "0123456789");
    std::string bytes;
    ASSERT_TRUE(store.read(path("f"), 0, 4, bytes).ok);
    EXPECT_EQ(bytes, "0123");
    ASSERT_TRUE(store.read(path("f"), 8, 100, bytes).ok);
    EXPECT_EQ(bytes, "89");
    ASSERT_TRUE(store.read(path("f"), 20, 100, bytes).ok);
    EXPECT_EQ(bytes, "");
    ASSERT_TRUE(store.read(path("missing"), 0, 100, bytes).ok);
    EXPECT_EQ(bytes, "");
}

TEST_F(PosixFileStoreTest, ReplaceWritesTheNewContentAndKeepsThePermissions)
{
    write(path("user1.qvn"), "old");
    ::chmod(path("user1.qvn").c_str(), 0640);
    ASSERT_TRUE(store.replace(path("user1.qvn"), "new content").ok);
    EXPECT_EQ(contentOf(path("user1.qvn")), "new content");
    EXPECT_EQ(fs::status(path("user1.qvn")).permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(PosixFileStoreTest, ReplaceThroughASymbolicLinkReplacesItsTarget)
{
    write(path("real.qvn"), "old");
    fs::create_symlink(path("real.qvn"), path("link.qvn"));
    ASSERT_TRUE(store.replace(path("link.qvn"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(path("link.qvn")));
    EXPECT_EQ(contentOf(path("real.qvn")), "new");
}

TEST_F(PosixFileStoreTest, AWriteThatFailsMidwayLeavesTheOldFileByteForByte)
{
    const std::string old = std::string(322, 'o') + "tail";
    write(path("user1.qvn"), old);

    // A file-size limit makes the kernel refuse the write part of the way in,
    // as a full disk would; it binds root too.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const IoStatus status = store.replace(path("user1.qvn"), std::string(400, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason, std::generic_category().message(EFBIG));
    EXPECT_EQ(contentOf(path("user1.qvn")), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(PosixFileStoreTest, ReplaceInAMissingFolderFails)
{
    const IoStatus status = store.replace(path("missing/user1.qvn"), "x");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason, std::generic_category().message(ENOENT));
}

TEST_F(PosixFileStoreTest, ClearReadOnlyGivesTheOwnerWriteAccess)
{
    write(path("user1.qvn"), "x");
    ::chmod(path("user1.qvn").c_str(), 0444);
    store.clearReadOnly(path("user1.qvn"));
    EXPECT_TRUE((fs::status(path("user1.qvn")).permissions() & fs::perms::owner_write) != fs::perms::none);
}

}  // namespace
}  // namespace tavlo
