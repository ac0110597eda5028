#include "platform/linux/xdg_recent_documents.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/linux/posix_file_store.h"
#include "tests/fakes/failing_readdir.h"
#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

class XdgRecentDocumentsTest : public ::testing::Test {
protected:
    static std::string read(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    testing::TempFolder temp{"recent"};
    fs::path data = temp.path;
    PosixFileStore files;
};

TEST_F(XdgRecentDocumentsTest, ReplacesTheListByAValidEmptyOne)
{
    std::ofstream(data / "recently-used.xbel") << "<?xml version=\"1.0\"?>\n<xbel version=\"1.0\">"
                                                  "<bookmark href=\"file:///home/u/secret.txt\"/></xbel>\n";
    XdgRecentDocuments recent(files, data.string());
    ASSERT_TRUE(recent.clear().ok);
    const std::string list = read(data / "recently-used.xbel");
    EXPECT_EQ(list, kEmptyRecentList);
    EXPECT_EQ(list.find("secret"), std::string::npos);
    EXPECT_NE(list.find("<xbel version=\"1.0\""), std::string::npos);  // still a list other programs read
}

TEST_F(XdgRecentDocumentsTest, NoListIsNothingToClear)
{
    XdgRecentDocuments recent(files, data.string());
    EXPECT_TRUE(recent.clear().ok);
    EXPECT_FALSE(fs::exists(data / "recently-used.xbel"));
}

TEST_F(XdgRecentDocumentsTest, KdeEntriesGoButNothingOutsideTheirFolder)
{
    fs::create_directories(data / "RecentDocuments" / "sub");
    std::ofstream(data / "RecentDocuments" / "a.txt.desktop") << "[Desktop Entry]\n";
    std::ofstream(data / "kept.txt") << "kept";
    fs::create_symlink(data / "kept.txt", data / "RecentDocuments" / "link.desktop");
    XdgRecentDocuments recent(files, data.string());
    ASSERT_TRUE(recent.clear().ok);
    EXPECT_FALSE(fs::exists(data / "RecentDocuments" / "a.txt.desktop"));
    EXPECT_TRUE(fs::exists(data / "RecentDocuments" / "sub"));
    EXPECT_EQ(read(data / "kept.txt"), "kept");
}

TEST_F(XdgRecentDocumentsTest, AFolderThatFailsWhileItIsReadIsAFailureNamingIt)
{
    fs::create_directories(data / "RecentDocuments");
    for (int i = 0; i < 10; ++i)
        std::ofstream(data / "RecentDocuments" / (std::to_string(i) + ".desktop")) << "[Desktop Entry]\n";
    XdgRecentDocuments recent(files, data.string());
    testing::failReaddirAfter(4);  // ".", ".." and two to four documents, in the folder's order
    const IoStatus status = recent.clear();
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("RecentDocuments"), std::string::npos);
    EXPECT_NE(status.reason.find("Input/output error"), std::string::npos);
    // What was listed went.
    const auto left = std::distance(fs::directory_iterator(data / "RecentDocuments"), {});
    EXPECT_GE(left, 6);
    EXPECT_LE(left, 8);
}

TEST_F(XdgRecentDocumentsTest, AListThatCannotBeWrittenIsAFailureNamingIt)
{
    fs::create_directories(data / "recently-used.xbel" / "in-the-way");  // a folder where the list should be
    XdgRecentDocuments recent(files, data.string());
    const IoStatus status = recent.clear();
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("recently-used.xbel"), std::string::npos);
}

}  // namespace
}  // namespace tavlo
