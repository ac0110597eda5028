#include "platform/linux/browser_cache.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/fakes/fake_services.h"
#include "tests/fakes/run_action.h"
#include "tests/fakes/temp_folder.h"
#include "tools/internet_cleanup.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class BrowserCacheTest : public ::testing::Test {
protected:
    fs::path firefox(const std::string& entry = {}) const
    {
        const fs::path folder = cacheHome / "mozilla/firefox/abcd1234.default-release/cache2/entries";
        return entry.empty() ? folder : folder / entry;
    }
    fs::path chromium(const std::string& entry = {}) const
    {
        const fs::path folder = cacheHome / "chromium/Default/Cache/Cache_Data";
        return entry.empty() ? folder : folder / entry;
    }

    Strings walkAll(int& error)
    {
        Strings names;
        UrlCacheEntry entry;
        auto walk = cache.findFirst(entry, error);
        if (!walk)
            return names;
        do
            names.push_back(fs::path(entry.name).filename().string());
        while (walk->next(entry, error));
        std::sort(names.begin(), names.end());
        return names;
    }

    testing::TempFolder root{"cache"};
    fs::path cacheHome = root.path / "cache";
    BrowserCache cache{cacheHome.string()};
    testing::RecordingNotifier notifier;
};

TEST_F(BrowserCacheTest, NoCacheFoldersIsAnEmptyCache)
{
    fs::create_directories(cacheHome / "mozilla/firefox/p.default");
    int error = 0;
    UrlCacheEntry entry;
    EXPECT_EQ(cache.findFirst(entry, error), nullptr);
    EXPECT_EQ(error, kErrorNoMoreItems);
    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages.back(), "削除しました。");
}

TEST_F(BrowserCacheTest, DeletesEveryEntryAndNothingOutsideTheCacheFolders)
{
    testing::writeFile(firefox("3F2A"), "cached page");
    testing::writeFile(firefox("9B01"), "cached image");
    testing::writeFile(firefox() / "../index", "firefox's index");
    testing::writeFile(chromium("f_000001"), "cached script");
    testing::writeFile(chromium("index-dir/the-real-index"), "chromium's index");
    testing::writeFile(cacheHome / "google-chrome/Profile 1/Cache/Cache_Data/data_0", "chrome block");
    testing::writeFile(root.path / "documents/thesis.odt", "the user's work");
    fs::create_symlink(root.path / "documents/thesis.odt", chromium("f_000002"));
    fs::create_directory_symlink(root.path / "documents", firefox("AAAA"));

    int error = 0;
    EXPECT_EQ(walkAll(error), (Strings{"3F2A", "9B01", "AAAA", "data_0", "f_000001", "f_000002"}));
    EXPECT_EQ(error, kErrorNoMoreItems);

    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages.back(), "削除しました。");
    EXPECT_TRUE(fs::is_empty(firefox()));
    EXPECT_EQ(walkAll(error), Strings{});
    EXPECT_TRUE(fs::exists(firefox() / "../index"));
    EXPECT_TRUE(fs::exists(chromium("index-dir/the-real-index")));
    EXPECT_TRUE(fs::exists(root.path / "documents/thesis.odt"));
}

TEST_F(BrowserCacheTest, ACacheFolderThatCannotBeReadFailsTheStart)
{
    // A file where the folder belongs cannot be opened, even by root.
    testing::writeFile(firefox(), "not a folder");
    testing::writeFile(chromium("f_000001"), "cached script");
    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages.back(),
        "ERROR: FindFirstUrlCacheEntry - 20\rエラーが発生しました。\r一度インターネット "
        "オプションより削除してください。");
    EXPECT_TRUE(fs::exists(chromium("f_000001")));
}

TEST_F(BrowserCacheTest, AFolderThatCannotBeReadMidWalkStopsItWithTheNextEntryError)
{
    testing::writeFile(firefox("3F2A"), "cached page");
    testing::writeFile(chromium(), "not a folder");
    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages.back(),
        "Error:  Unable to find the next cache entry - 20\rエラーが発生しました。\r"
        "一度インターネット オプションより削除してください。");
    EXPECT_FALSE(fs::exists(firefox("3F2A")));
}

TEST_F(BrowserCacheTest, EntriesOrFoldersThatVanishMidwayAreAlreadyGone)
{
    testing::writeFile(firefox("3F2A"), "cached page");
    testing::writeFile(firefox("9B01"), "cached image");
    testing::writeFile(chromium("f_000001"), "cached script");
    UrlCacheEntry entry;
    int error = 0;
    auto walk = cache.findFirst(entry, error);
    ASSERT_NE(walk, nullptr);
    // The browser threw an entry away meanwhile, and purged a whole folder.
    fs::remove(entry.name);
    fs::remove_all(chromium());
    EXPECT_FALSE(walk->remove(entry, error));
    EXPECT_EQ(error, kErrorFileNotFound);
    ASSERT_TRUE(walk->next(entry, error));
    EXPECT_TRUE(walk->remove(entry, error));
    EXPECT_FALSE(walk->next(entry, error));
    EXPECT_EQ(error, kErrorNoMoreItems);
}

TEST_F(BrowserCacheTest, AFolderSwappedForALinkDuringTheWalkIsSkipped)
{
    testing::writeFile(firefox("3F2A"), "cached page");
    testing::writeFile(chromium("f_000001"), "cached script");
    testing::writeFile(cacheHome / "google-chrome/Default/Cache/Cache_Data/data_0", "chrome block");
    testing::writeFile(root.path / "documents/thesis.odt", "the user's work");
    UrlCacheEntry entry;
    int error = 0;
    auto walk = cache.findFirst(entry, error);
    ASSERT_NE(walk, nullptr);
    fs::remove_all(cacheHome / "chromium/Default");
    fs::create_directory_symlink(root.path / "documents", cacheHome / "chromium/Default");
    ASSERT_TRUE(walk->next(entry, error)) << error;
    EXPECT_EQ(fs::path(entry.name).filename(), "data_0");
    EXPECT_FALSE(walk->next(entry, error));
    EXPECT_EQ(error, kErrorNoMoreItems);
}

TEST_F(BrowserCacheTest, FoldersReachedThroughALinkAreSkippedAndTheOtherCachesEmptied)
{
    testing::writeFile(root.path / "documents/thesis.odt", "the user's work");
    testing::writeFile(root.path / "elsewhere/Cache_Data/notes.txt", "more of the user's work");
    testing::writeFile(root.path / "profile/cache2/entries/1234", "a linked profile's entry");
    fs::create_directories(firefox().parent_path());
    fs::create_directory_symlink(root.path / "documents", firefox());
    fs::create_directory_symlink(root.path / "profile", cacheHome / "mozilla/firefox/linked.default");
    fs::create_directories(chromium().parent_path().parent_path());
    fs::create_directory_symlink(root.path / "elsewhere", chromium().parent_path());
    testing::writeFile(cacheHome / "google-chrome/Default/Cache/Cache_Data/data_0", "chrome block");

    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages.back(), "削除しました。");
    EXPECT_FALSE(fs::exists(cacheHome / "google-chrome/Default/Cache/Cache_Data/data_0"));
    EXPECT_TRUE(fs::exists(root.path / "documents/thesis.odt"));
    EXPECT_TRUE(fs::exists(root.path / "elsewhere/Cache_Data/notes.txt"));
    EXPECT_TRUE(fs::exists(root.path / "profile/cache2/entries/1234"));
}

}  // namespace
}  // namespace tavlo
