#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"
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
        cmdRBinEmp_Click(bin, notifier, [this](std::size_t done, std::size_t total) {
            steps.push_back(std::to_string(done) + "/" + std::to_string(total));
            return done < stopAfter;
        });
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

TEST(TemporaryInternetFiles, AnEmptyCacheWarnsThenSaysDeleted)
{
    testing::FakeUrlCache cache;
    testing::RecordingNotifier notifier;
    TIFDel_Click(cache, notifier);
    EXPECT_EQ(notifier.messages, (Strings{kWarning, kDone}));
}

TEST(TemporaryInternetFiles, AWalkThatCannotStartShowsTheFirstEntryErrorAndItsCode)
{
    testing::FakeUrlCache cache;
    cache.startError = 13;
    testing::RecordingNotifier notifier;
    TIFDel_Click(cache, notifier);
    EXPECT_EQ(notifier.messages,
        (Strings{kWarning,
            "ERROR: FindFirstUrlCacheEntry - 13\rエラーが発生しました。\r一度インターネット "
            "オプションより削除してください。"}));
}

TEST(TemporaryInternetFiles, EntriesThatCannotBeDeletedArePassedOver)
{
    testing::FakeUrlCache cache;
    cache.entries = {"a", "b", "c", "d"};
    cache.stuck = {"a", "c"};
    testing::RecordingNotifier notifier;
    TIFDel_Click(cache, notifier);
    EXPECT_EQ(cache.removed, (Strings{"b", "d"}));
    EXPECT_EQ(notifier.messages, (Strings{kWarning, kDone}));
}

TEST(TemporaryInternetFiles, AFailureMidWalkShowsTheNextEntryErrorAndStops)
{
    testing::FakeUrlCache cache;
    cache.entries = {"a", "b", "c", "d"};
    cache.walkError = 122;
    cache.entriesBeforeError = 2;
    testing::RecordingNotifier notifier;
    TIFDel_Click(cache, notifier);
    EXPECT_EQ(cache.removed, (Strings{"a", "b"}));
    EXPECT_EQ(notifier.messages,
        (Strings{kWarning,
            "Error:  Unable to find the next cache entry - 122\rエラーが発生しました。\r"
            "一度インターネット オプションより削除してください。"}));
}

TEST(InternetHistory, ClearsAfterTheWarningAndSaysDeleted)
{
    testing::FakeUrlHistory history;
    testing::RecordingNotifier notifier;
    DelIHstry_Click(history, notifier);
    EXPECT_EQ(history.cleared, 1);
    EXPECT_EQ(notifier.messages, (Strings{std::string(kHistoryWarning), kDone}));
}

TEST(InternetHistory, NoHistoryToOpenClearsNothingAndNamesTheReason)
{
    testing::FakeUrlHistory history;
    history.opening = IoStatus::failure("履歴が見つかりません。");
    testing::RecordingNotifier notifier;
    DelIHstry_Click(history, notifier);
    EXPECT_EQ(history.cleared, 0);
    EXPECT_EQ(notifier.messages,
        (Strings{std::string(kHistoryWarning), "インターネット履歴を削除できませんでした。\r履歴が見つかりません。"}));
}

TEST(InternetHistory, AHistoryThatCouldNotBeClearedIsNotReportedAsDeleted)
{
    testing::FakeUrlHistory history;
    history.clearing = IoStatus::failure("places.sqlite\rブラウザが使用中です。");
    testing::RecordingNotifier notifier;
    DelIHstry_Click(history, notifier);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(
        notifier.messages[1], "インターネット履歴を削除できませんでした。\rplaces.sqlite\rブラウザが使用中です。");
}

}  // namespace
}  // namespace tavlo
