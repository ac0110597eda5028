#include "tools/tool_launch.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

struct ToolLaunch : ::testing::Test {
    testing::FakeToolPrograms programs;
    testing::FakeLauncher launcher;

    ToolLaunch()
    {
        programs.programs[Tool::tmgr] = {{"first-monitor", {}}, {"second-monitor", {}}, {"third-monitor", {}}};
        programs.programs[Tool::SysIfo] = {{"settings", {"about"}}, {"about", {}}};
    }
};

TEST_F(ToolLaunch, StartsTheFirstCandidateThatIsInstalledAndStartsAtTheRoot)
{
    launcher.installedPrograms = {"second-monitor", "third-monitor"};
    EXPECT_TRUE(launchTool(Tool::tmgr, programs, launcher));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "second-monitor");
    EXPECT_EQ(launcher.started[0].directory, programs.directory());

    launcher.failing = {"second-monitor"};
    EXPECT_TRUE(launchTool(Tool::tmgr, programs, launcher));
    EXPECT_EQ(launcher.started.back().program, "third-monitor");
}

TEST_F(ToolLaunch, AToolWithoutAStartingCandidateStartsNothing)
{
    launcher.installedPrograms = {"settings"};
    launcher.failing = {"settings"};
    EXPECT_FALSE(launchTool(Tool::SysIfo, programs, launcher));
    EXPECT_FALSE(launchTool(Tool::rstrui, programs, launcher));  // no candidate at all
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(ToolLaunch, PassesTheCandidatesArguments)
{
    launcher.installedPrograms = {"settings", "about"};
    EXPECT_TRUE(launchTool(Tool::SysIfo, programs, launcher));
    EXPECT_EQ(launcher.started.back().arguments, std::vector<std::string>{"about"});
}

}  // namespace
}  // namespace tavlo
