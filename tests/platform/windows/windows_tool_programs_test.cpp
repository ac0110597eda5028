#include "platform/windows/windows_tool_programs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

constexpr Tool kTools[]
    = {Tool::cleanmgr, Tool::tmgr, Tool::CtPanel, Tool::rstrui, Tool::msinfo, Tool::dfrg, Tool::SysIfo};

TEST(WindowsToolPrograms, EachToolIsOneProgramWithoutArguments)
{
    const WindowsToolPrograms programs;
    for (const Tool tool : kTools) {
        const auto candidates = programs.candidates(tool);
        ASSERT_EQ(candidates.size(), 1u) << static_cast<int>(tool);
        EXPECT_TRUE(candidates[0].arguments.empty()) << candidates[0].program;
    }
}

TEST(WindowsToolPrograms, TheSystemsPropertiesAreAVerbOfTheComputersShellObject)
{
    const auto candidates = WindowsToolPrograms().candidates(Tool::SysIfo);
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].verb, "properties");
    EXPECT_EQ(candidates[0].program.rfind("::{", 0), 0u) << candidates[0].program;
    for (const Tool tool : kTools) {
        if (tool != Tool::SysIfo) {
            EXPECT_TRUE(WindowsToolPrograms().candidates(tool)[0].verb.empty()) << static_cast<int>(tool);
        }
    }
}

// Wine ships these three; the shell finds them by name on its search path.
TEST(WindowsToolPrograms, TheProgramsWineShipsAreOnTheSearchPath)
{
    for (const Tool tool : {Tool::tmgr, Tool::CtPanel, Tool::msinfo}) {
        const std::wstring name = toWide(WindowsToolPrograms().candidates(tool)[0].program);
        wchar_t found[MAX_PATH] = {};
        EXPECT_GT(SearchPathW(nullptr, name.c_str(), nullptr, MAX_PATH, found, nullptr), 0u)
            << toUtf8(name) << " error " << GetLastError();
    }
}

// Every tool starts in the root of drive C, whichever drive the system is
// on; Wine's prefix has that drive.
TEST(WindowsToolPrograms, EveryToolStartsInTheRootOfDriveC)
{
    const std::string directory = WindowsToolPrograms().directory();
    EXPECT_EQ(directory, "c:\\");
    const DWORD attributes = GetFileAttributesW(toWide(directory).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace tavlo
