#include "tools/launch_table.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

TEST(LaunchTable, StartsTheFirstInstalledCandidateAtTheRoot)
{
    testing::FakeLauncher launcher;
    launcher.installedPrograms = {"xfce4-taskmanager", "lxtask", "baobab"};
    EXPECT_TRUE(launchTool("tmgr", launcher));
    EXPECT_TRUE(launchTool("cleanmgr", launcher));
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_EQ(launcher.started[0].program, "xfce4-taskmanager");
    EXPECT_EQ(launcher.started[0].directory, "/");
    EXPECT_EQ(launcher.started[1].program, "baobab");
}

TEST(LaunchTable, ARowWithoutAnInstalledCandidateStartsNothing)
{
    testing::FakeLauncher launcher;
    launcher.installedPrograms = {"bleachbit"};
    for (const char* entry : {"tmgr", "CtPanel", "rstrui", "msinfo", "dfrg", "SysIfo", "Emp"})
        EXPECT_FALSE(launchTool(entry, launcher)) << entry;
    EXPECT_TRUE(launcher.started.empty());
}

TEST(LaunchTable, SystemPropertiesOpensTheAboutPageOrFallsThrough)
{
    testing::FakeLauncher launcher;
    launcher.installedPrograms = {"gnome-control-center", "xfce4-about"};
    EXPECT_TRUE(launchTool("SysIfo", launcher));
    EXPECT_EQ(launcher.started.back().arguments, std::vector<std::string>{"info-overview"});
    launcher.failing = {"gnome-control-center"};
    EXPECT_TRUE(launchTool("SysIfo", launcher));
    EXPECT_EQ(launcher.started.back().program, "xfce4-about");
}

TEST(LaunchTable, EveryToolOfTheMenuHasARow)
{
    for (const char* entry : {"cleanmgr", "tmgr", "CtPanel", "rstrui", "msinfo", "dfrg", "SysIfo"}) {
        const auto& table = launchTable();
        EXPECT_TRUE(std::any_of(table.begin(), table.end(), [&](const LaunchRow& row) { return row.entry == entry; }))
            << entry;
    }
}

}  // namespace
}  // namespace tavlo
