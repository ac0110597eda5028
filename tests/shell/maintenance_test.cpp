#include "shell/maintenance.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"
#include "tools/internet_cleanup.h"
#include "tools/memory_release.h"

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
             MenuCommand::TIFDel, MenuCommand::DelIHstry, MenuCommand::ClipBoadClr, MenuCommand::DTMnEnd,
             MenuCommand::None})
        EXPECT_FALSE(runMaintenance(command, fake.services)) << static_cast<int>(command);
    EXPECT_TRUE(fake.notifier.messages.empty());
}

// Each entry of the menu, by behaviour: the long ones make the action of
// their own entry, the others none.
TEST(Maintenance, EachLongEntryMakesItsOwnActionAndNoOtherEntryMakesOne)
{
    testing::FakeServices fake;
    MainWindow window(fake.services);
    for (const MenuEntry& entry : kMenuEntries) {
        const std::unique_ptr<LongAction> action = makeLongAction(entry.command, window, fake.services, {});
        const LongAction* raw = action.get();
        const std::string_view name = entry.name;
        EXPECT_EQ(runsLong(entry.command), raw != nullptr) << name;
        EXPECT_EQ(dynamic_cast<const MemoryRelease*>(raw) != nullptr, name == "MemClr") << name;
        EXPECT_EQ(dynamic_cast<const EmptyRecycleBin*>(raw) != nullptr, name == "Emp") << name;
        EXPECT_EQ(dynamic_cast<const DeleteCache*>(raw) != nullptr, name == "TIFDel") << name;
        EXPECT_EQ(dynamic_cast<const ClearHistory*>(raw) != nullptr, name == "DelIHstry") << name;
    }
}

}  // namespace
}  // namespace tavlo
