#include "shell/maintenance.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

// A command, what the desktop has, and what the user is told.
struct MaintenanceRow {
    const char* name;
    MenuCommand command;
    bool installed;            // the tool's one program is installed
    IoStatus recentDocuments;  // what clearing the recent documents answers
    std::vector<std::string> messages;
};

void PrintTo(const MaintenanceRow& row, std::ostream* out)
{
    *out << row.name;
}

class MaintenanceTest : public ::testing::TestWithParam<MaintenanceRow> {};

TEST_P(MaintenanceTest, TellsTheResultWhereThereIsOne)
{
    const MaintenanceRow& row = GetParam();
    testing::FakeServices fake;
    for (Tool tool : {Tool::SysIfo, Tool::tmgr})
        fake.toolPrograms.programs[tool] = {{"program", {}}};
    if (row.installed)
        fake.launcher.installedPrograms = {"program"};
    fake.recentDocuments.answer = row.recentDocuments;
    EXPECT_TRUE(runMaintenance(row.command, fake.services));
    EXPECT_EQ(fake.notifier.messages, row.messages);
    EXPECT_EQ(fake.launcher.started.size(), row.installed ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Commands, MaintenanceTest,
    ::testing::Values(MaintenanceRow{"PropertiesShown", MenuCommand::SysIfo, true, IoStatus::success(), {}},
        MaintenanceRow{"PropertiesMissing", MenuCommand::SysIfo, false, IoStatus::success(), {"表示に失敗しました"}},
        // The other tools say nothing when they cannot start.
        MaintenanceRow{"TaskManagerMissing", MenuCommand::tmgr, false, IoStatus::success(), {}},
        MaintenanceRow{"RecentDocumentsCleared", MenuCommand::FleDel, false, IoStatus::success(), {"削除しました。"}},
        MaintenanceRow{"RecentDocumentsKept", MenuCommand::FleDel, false, IoStatus::failure("読み取り専用です"),
            {"削除できませんでした。\r読み取り専用です"}}),
    [](const ::testing::TestParamInfo<MaintenanceRow>& row) { return row.param.name; });

TEST(Maintenance, CommandsWithWindowsAreLeftToTheShell)
{
    testing::FakeServices fake;
    for (MenuCommand command : {MenuCommand::MemClr, MenuCommand::MntrCstmz, MenuCommand::Pstn, MenuCommand::Emp,
             MenuCommand::ClipBoadClr, MenuCommand::DTMnEnd, MenuCommand::None})
        EXPECT_FALSE(runMaintenance(command, fake.services)) << static_cast<int>(command);
    EXPECT_TRUE(fake.notifier.messages.empty());
}

// A long clean-up on the fake clock: its steps, what each takes, what a turn
// of events takes, and after which steps events ran.
struct PacingRow {
    const char* name;
    MenuCommand command;
    int steps;
    std::chrono::milliseconds perStep, eventsTake;
    std::vector<int> eventsAfter;
};

void PrintTo(const PacingRow& row, std::ostream* out)
{
    *out << row.name;
}

std::vector<int> every(int first, int step, int last)
{
    std::vector<int> result;
    for (int at = first; at <= last; at += step)
        result.push_back(at);
    return result;
}

class PacingTest : public ::testing::TestWithParam<PacingRow> {};

TEST_P(PacingTest, EventsRunOncePerFiftyMillisecondsOfWork)
{
    const PacingRow& row = GetParam();
    testing::FakeServices fake;
    int done = 0;
    const auto work = [&] {
        fake.ticks.advance(row.perStep);
        ++done;
    };
    for (int i = 0; i < row.steps; ++i)
        fake.urlCache.entries.push_back("https://example.org/" + std::to_string(i));
    fake.urlCache.removing = [&](const std::string&) { work(); };
    fake.urlHistory.during = [&](const std::function<void()>& between) {
        for (int i = 0; i < row.steps; ++i) {
            work();
            between();
        }
    };
    std::vector<int> eventsAfter;
    EXPECT_TRUE(runMaintenance(row.command, fake.services, [&] {
        eventsAfter.push_back(done);
        fake.ticks.advance(row.eventsTake);
    }));
    EXPECT_EQ(eventsAfter, row.eventsAfter);
    EXPECT_EQ(fake.notifier.messages.back(), "削除しました。");
}

using std::chrono::milliseconds;

INSTANTIATE_TEST_SUITE_P(Clock, PacingTest,
    ::testing::Values(
        PacingRow{"ManyQuickEntries", MenuCommand::TIFDel, 1000, milliseconds(1), {}, every(50, 50, 1000)},
        PacingRow{"QuickerThanAllEntriesCount", MenuCommand::TIFDel, 100000, milliseconds(0), {}, {}},
        PacingRow{"ASingleSlowEntry", MenuCommand::TIFDel, 1, milliseconds(300), {}, {1}},
        PacingRow{"AnEmptyCache", MenuCommand::TIFDel, 0, milliseconds(1), {}, {}},
        // A menu held open while events run is no time of the walk.
        PacingRow{
            "TimeInEventsIsNotWork", MenuCommand::TIFDel, 200, milliseconds(1), milliseconds(500), every(50, 50, 200)},
        PacingRow{"TheHistoryClearing", MenuCommand::DelIHstry, 100, milliseconds(7), {}, every(8, 8, 100)}),
    [](const ::testing::TestParamInfo<PacingRow>& row) { return row.param.name; });

}  // namespace
}  // namespace tavlo
