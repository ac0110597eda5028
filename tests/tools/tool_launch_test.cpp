#include "tools/tool_launch.h"

#include <gtest/gtest.h>

#include "platform/linux/desktop_tool_programs.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

TEST(ToolLaunch, StartsTheFirstInstalledCandidateAtTheRoot)
{
    const DesktopToolPrograms programs;
    testing::FakeLauncher launcher;
    launcher.installedPrograms = {"xfce4-taskmanager", "lxtask", "baobab"};
    EXPECT_TRUE(launchTool(Tool::tmgr, programs, launcher));
    EXPECT_TRUE(launchTool(Tool::cleanmgr, programs, launcher));
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_EQ(launcher.started[0].program, "xfce4-taskmanager");
    EXPECT_EQ(launcher.started[0].directory, "/");
    EXPECT_EQ(launcher.started[1].program, "baobab");
}

TEST(ToolLaunch, AToolWithoutAnInstalledCandidateStartsNothing)
{
    const DesktopToolPrograms programs;
    testing::FakeLauncher launcher;
    launcher.installedPrograms = {"bleachbit"};
    for (Tool tool : {Tool::tmgr, Tool::CtPanel, Tool::rstrui, Tool::msinfo, Tool::dfrg, Tool::SysIfo})
        EXPECT_FALSE(launchTool(tool, programs, launcher)) << static_cast<int>(tool);
    EXPECT_TRUE(launcher.started.empty());
}

TEST(ToolLaunch, SystemPropertiesOpensTheAboutPageOrFallsThrough)
{
    const DesktopToolPrograms programs;
    testing::FakeLauncher launcher;
    launcher.installedPrograms = {"gnome-control-center", "xfce4-about"};
    EXPECT_TRUE(launchTool(Tool::SysIfo, programs, launcher));
    EXPECT_EQ(launcher.started.back().arguments, std::vector<std::string>{"info-overview"});
    launcher.failing = {"gnome-control-center"};
    EXPECT_TRUE(launchTool(Tool::SysIfo, programs, launcher));
    EXPECT_EQ(launcher.started.back().program, "xfce4-about");
}

}  // namespace
}  // namespace tavlo
