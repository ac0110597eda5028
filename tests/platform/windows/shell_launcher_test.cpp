#include "platform/windows/shell_launcher.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <thread>

#include "platform/windows/under_wine.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_tool_programs.h"
#include "tests/fakes/temp_folder.h"
#include "tools/tool_launch.h"

namespace tavlo {
namespace {

constexpr std::wstring_view kReportSwitch = L"--report-launch";
constexpr wchar_t kReport[] = L"launched.txt";

// This test program doubles as the program that the shell starts: given
// the switch first, it writes its working directory and the arguments after
// the switch, a line each, into the report in that directory, and ends
// before any test runs.
const bool startedAsLaunchedProgram = [] {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words || count < 2 || words[1] != kReportSwitch) {
        LocalFree(words);
        return false;
    }
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    std::string report = toUtf8(directory) + "\n";
    for (int i = 2; i < count; ++i)
        report += toUtf8(words[i]) + "\n";
    std::ofstream(L"launched.part", std::ios::binary) << report;
    // Whole or not at all, for the test that waits for it.
    MoveFileW(L"launched.part", kReport);
    ExitProcess(0);
}();

std::string thisProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return toUtf8(path);
}

// The lines of the report in `folder`, once the started program has written it.
std::vector<std::string> awaitReport(const std::filesystem::path& folder)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(folder / kReport) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream file(folder / kReport, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

TEST(ShellLauncher, StartsAProgramInTheDirectoryWithItsArguments)
{
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"plain", "with blank", "say \"hi\"", "C:\\ends in\\", "", "日本語"},
    };
    for (const auto& arguments : rows) {
        const testing::TempFolder folder("launch");
        std::vector<std::string> words = {toUtf8(kReportSwitch)};
        words.insert(words.end(), arguments.begin(), arguments.end());
        ShellLauncher launcher;
        ASSERT_TRUE(launcher.start(ToolProgram(thisProgram(), words), toUtf8(folder.path.wstring())));

        const auto report = awaitReport(folder.path);
        ASSERT_FALSE(report.empty()) << "the program wrote no report";
        EXPECT_TRUE(std::filesystem::equivalent(toWide(report[0]), folder.path)) << report[0];
        EXPECT_EQ(std::vector<std::string>(report.begin() + 1, report.end()), arguments);
    }
}

TEST(ShellLauncher, AProgramThatIsNotThereDoesNotStart)
{
    const testing::TempFolder folder("launch-missing");
    ShellLauncher launcher;
    EXPECT_TRUE(launcher.installed("tavlo-no-such-program.exe"));  // the shell alone can tell
    EXPECT_FALSE(launcher.start(ToolProgram("tavlo-no-such-program.exe"), toUtf8(folder.path.wstring())));
    EXPECT_FALSE(launcher.start(ToolProgram((folder.path / "missing.exe").string()), toUtf8(folder.path.wstring())));
}

// Wine's shell does not carry out the computer's "properties" verb
// (ShellExecuteExW fails with error 87), so under Wine the menu's
// "システムのプロパティ" meets the failure that shows "表示に失敗しました".
// On Windows the system's properties would open.
TEST(ShellLauncher, TheSystemsPropertiesFailUnderWineWhichLacksTheVerb)
{
    if (!runningUnderWine())
        GTEST_SKIP() << "Windows opens the properties";
    ShellLauncher launcher;
    EXPECT_FALSE(launchTool(Tool::SysIfo, WindowsToolPrograms(), launcher));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace tavlo
