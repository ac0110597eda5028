#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"
#include "tests/fakes/run_action.h"
#include "tools/internet_cleanup.h"
#include "tools/recycle_bin_action.h"

namespace tavlo {
namespace {

using Strings = std::vector<std::string>;

const std::string kWarning(kCacheWarning);
const std::string kDone(kDeletedMessage);

class RecycleBinAction : public ::testing::Test {
protected:
    void run()
    {
        EmptyRecycleBin action(bin, [this](std::size_t done, std::size_t total) {
            steps.push_back(std::to_string(done) + "/" + std::to_string(total));
            return done < stopAfter;
        });
        testing::runToEnd(action, notifier);
    }

    testing::FakeRecycleBin bin;
    testing::RecordingNotifier notifier;
    Strings steps;
    std::size_t stopAfter = SIZE_MAX;
};

TEST_F(RecycleBinAction, AnEmptyBinAsksNothingAndSaysNothing)
{
    run();
    EXPECT_TRUE(notifier.questions.empty());
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(bin.emptied, 0);
}

TEST_F(RecycleBinAction, AsksWithTheCountAndEmptiesOnlyOnYes)
{
    bin.items = 3;
    notifier.answer = false;
    run();
    EXPECT_EQ(notifier.questions, Strings{"ごみ箱の 3 個の項目を完全に削除しますか?"});
    EXPECT_EQ(bin.emptied, 0);

    notifier.answer = true;
    run();
    EXPECT_EQ(bin.emptied, 1);
    EXPECT_EQ(steps, (Strings{"1/3", "2/3", "3/3"}));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(RecycleBinAction, CancellingStopsAndItemsLeftBehindAreReported)
{
    bin.items = 5;
    stopAfter = 2;
    bin.answer = IoStatus::failure("/t/files/a\rPermission denied");
    run();
    EXPECT_EQ(steps, (Strings{"1/5", "2/5"}));
    EXPECT_EQ(notifier.messages, Strings{"ごみ箱を空にできませんでした。\r/t/files/a\rPermission denied"});
}

TEST_F(RecycleBinAction, ASystemThatAsksItselfIsLeftToAskAndItsAnswerIsNotReported)
{
    bin.systemAsks = true;
    bin.items = 0;  // the count is the system's business then
    bin.answer = IoStatus::failure("refused");
    run();
    EXPECT_EQ(bin.emptied, 1);
    EXPECT_TRUE(notifier.questions.empty());
    EXPECT_TRUE(notifier.messages.empty());
}

const std::string kSeeOptions = "\rエラーが発生しました。\r一度インターネット オプションより削除してください。";

// The cache as the walk finds it, what is removed, and the message after the warning.
struct CacheCase {
    const char* name;
    Strings entries, stuck;
    int stuckError, startError, walkError;
    std::size_t entriesBeforeError;
    Strings removed;
    std::string last;
    friend void PrintTo(const CacheCase& row, std::ostream* out) { *out << row.name; }
};

class TemporaryInternetFiles : public ::testing::TestWithParam<CacheCase> {};

TEST_P(TemporaryInternetFiles, WarnThenDeleteAndReport)
{
    testing::FakeUrlCache cache;
    cache.entries = GetParam().entries;
    cache.stuck = GetParam().stuck;
    cache.startError = GetParam().startError;
    cache.walkError = GetParam().walkError;
    cache.entriesBeforeError = GetParam().entriesBeforeError;
    cache.stuckError = GetParam().stuckError;
    testing::RecordingNotifier notifier;
    DeleteCache action(cache);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(cache.removed, GetParam().removed);
    EXPECT_EQ(notifier.messages, (Strings{kWarning, GetParam().last}));
}

INSTANTIATE_TEST_SUITE_P(Caches, TemporaryInternetFiles,
    ::testing::Values(CacheCase{"AnEmptyCacheSaysDeleted", {}, {}, 0, kErrorNoMoreItems, 0, 0, {}, kDone},
        CacheCase{"AWalkThatCannotStartShowsTheFirstEntryErrorAndItsCode", {}, {}, 0, 13, 0, 0, {},
            "ERROR: FindFirstUrlCacheEntry - 13" + kSeeOptions},
        CacheCase{"EntriesAlreadyGoneArePassedOver", {"a", "b", "c", "d"}, {"a", "c"}, kErrorFileNotFound,
            kErrorNoMoreItems, 0, 0, {"b", "d"}, kDone},
        CacheCase{"EntriesInUseArePassedOver", {"a", "b", "c"}, {"b"}, kErrorInUse, kErrorNoMoreItems, 0, 0,
            {"a", "c"}, kDone},
        // Another user's cache, a read-only disk: not "削除しました。".
        CacheCase{"EntriesThatCouldNotBeDeletedAreCountedAndReported", {"a", "b", "c", "d"}, {"a", "b", "d"}, 13,
            kErrorNoMoreItems, 0, 0, {"c"}, "Error:  3 個の項目を削除できませんでした - 13" + kSeeOptions},
        CacheCase{"AFailureMidWalkShowsTheNextEntryErrorAndStops", {"a", "b", "c", "d"}, {}, 0, kErrorNoMoreItems,
            122, 2, {"a", "b"}, "Error:  Unable to find the next cache entry - 122" + kSeeOptions}),
    [](const auto& row) { return std::string(row.param.name); });

// A history that stayed as it was is not reported as deleted.
struct HistoryCase {
    const char* name;
    IoStatus opening, clearing;
    int cleared;
    std::string last;
    friend void PrintTo(const HistoryCase& row, std::ostream* out) { *out << row.name; }
};

class InternetHistory : public ::testing::TestWithParam<HistoryCase> {};

TEST_P(InternetHistory, ClearsAfterTheWarningAndReports)
{
    testing::FakeUrlHistory history;
    history.opening = GetParam().opening;
    history.clearing = GetParam().clearing;
    testing::RecordingNotifier notifier;
    ClearHistory action(history);
    testing::runToEnd(action, notifier);
    EXPECT_EQ(history.cleared, GetParam().cleared);
    EXPECT_EQ(notifier.messages, (Strings{std::string(kHistoryWarning), GetParam().last}));
}

INSTANTIATE_TEST_SUITE_P(Histories, InternetHistory,
    ::testing::Values(HistoryCase{"SaysDeleted", IoStatus::success(), IoStatus::success(), 1, kDone},
        HistoryCase{"NoHistoryToOpenClearsNothingAndNamesTheReason", IoStatus::failure("履歴が見つかりません。"),
            IoStatus::success(), 0, "インターネット履歴を削除できませんでした。\r履歴が見つかりません。"},
        HistoryCase{"AHistoryThatCouldNotBeClearedIsNotReportedAsDeleted", IoStatus::success(),
            IoStatus::failure("places.sqlite\rブラウザが使用中です。"), 1,
            "インターネット履歴を削除できませんでした。\rplaces.sqlite\rブラウザが使用中です。"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavlo
