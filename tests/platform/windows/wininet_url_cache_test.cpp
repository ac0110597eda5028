#include "platform/windows/wininet_url_cache.h"

#include <windows.h>

#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/windows/wide_text.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/run_action.h"
#include "tests/platform/windows/system_state_lock.h"
#include "tools/internet_cleanup.h"

namespace tavlo {
namespace {

using Strings = std::vector<std::string>;

// Each test runs on the prefix's own cache, alone, emptied before and
// after, so that it sees only the entries it made.
class WinInetUrlCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(emptyCache(), Strings{}) << "the cache could not be emptied"; }
    void TearDown() override { EXPECT_EQ(emptyCache(), Strings{}); }

    // Caches a page as a browser would: a file made for the URL, then committed.
    static void cachePage(const std::string& url, const std::string& content)
    {
        const std::wstring wideUrl = toWide(url);
        wchar_t file[MAX_PATH] = {};
        ASSERT_TRUE(CreateUrlCacheEntryW(wideUrl.c_str(), 0, L"html", file, 0)) << GetLastError();
        std::ofstream(std::filesystem::path(file), std::ios::binary) << content;
        const FILETIME never{};
        ASSERT_TRUE(
            CommitUrlCacheEntryW(wideUrl.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr))
            << GetLastError();
    }

    // The names of every entry, sorted; `error` ends the walk.
    Strings walkAll(int& error)
    {
        Strings names;
        UrlCacheEntry entry;
        const auto walk = cache.findFirst(entry, error);
        if (!walk)
            return names;
        do
            names.push_back(entry.name);
        while (walk->next(entry, error));
        std::sort(names.begin(), names.end());
        return names;
    }

    // Deletes what is cached; the entries that stayed.
    Strings emptyCache()
    {
        {
            UrlCacheEntry entry;
            int error = 0;
            if (const auto walk = cache.findFirst(entry, error)) {
                do
                    walk->remove(entry, error);
                while (walk->next(entry, error));
            }
        }
        int error = 0;
        return walkAll(error);
    }

    testing::SystemStateLock alone{L"url-cache"};
    WinInetUrlCache cache;
    testing::RecordingNotifier notifier;
};

TEST_F(WinInetUrlCacheTest, AnEmptyCacheEndsAtTheStartAndIsReportedDeleted)
{
    UrlCacheEntry entry;
    int error = 0;
    EXPECT_EQ(cache.findFirst(entry, error), nullptr);
    EXPECT_EQ(error, kErrorNoMoreItems);

    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages, (Strings{std::string(kCacheWarning), std::string(kDeletedMessage)}));
}

TEST_F(WinInetUrlCacheTest, DeletesEveryEntryEvenOneLongerThanTheFirstBuffer)
{
    // Longer than the 2048 bytes the walk starts with, in bytes and in wide characters.
    const std::string longUrl = "http://example.com/search?q=" + std::string(3000, 'm');
    const Strings urls = {"http://example.com/", longUrl, "http://example.com/moon.png", "https://example.org/a%20b"};
    for (const std::string& url : urls)
        cachePage(url, "cached " + url.substr(0, 40));

    int error = 0;
    Strings sorted = urls;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(walkAll(error), sorted);
    EXPECT_EQ(error, kErrorNoMoreItems);

    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(notifier.messages, (Strings{std::string(kCacheWarning), std::string(kDeletedMessage)}));
    EXPECT_EQ(walkAll(error), Strings{});
    EXPECT_EQ(error, kErrorNoMoreItems);
}

TEST_F(WinInetUrlCacheTest, AnEntryAlreadyDeletedIsFileNotFound)
{
    cachePage("http://example.com/gone", "soon gone");
    UrlCacheEntry entry;
    int error = 0;
    const auto walk = cache.findFirst(entry, error);
    ASSERT_NE(walk, nullptr) << error;
    EXPECT_EQ(entry.name, "http://example.com/gone");
    EXPECT_TRUE(walk->remove(entry, error));
    EXPECT_FALSE(walk->remove(entry, error));
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_FALSE(walk->next(entry, error));
    EXPECT_EQ(error, kErrorNoMoreItems);
}

}  // namespace
}  // namespace tavlo
