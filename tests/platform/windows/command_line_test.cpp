#include "platform/windows/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

// What a started program gets back from its command line, split by the
// system's own rules.
std::vector<std::string> splitBySystem(const std::string& parameters)
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(toWide("program.exe " + parameters).c_str(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(toUtf8(words[i]));
    LocalFree(words);
    return arguments;
}

TEST(CommandLine, ArgumentsReachTheProgramUnchanged)
{
    const std::vector<std::vector<std::string>> rows = {
        {"info-overview"},
        {"two", "words"},
        {"C:\\Program Files\\Tool\\tool.exe"},
        {"C:\\Program Files\\"},  // the backslash would escape the closing quote
        {"say \"hi\""},
        {"\\\"", "a\\\\\"b"},
        {"", "after an empty one"},
        {"tab\there", "日本語 の 名前"},
    };
    for (const auto& arguments : rows)
        EXPECT_EQ(splitBySystem(joinArguments(arguments)), arguments) << joinArguments(arguments);
}

TEST(CommandLine, QuotesOnlyWhatNeedsIt)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, ""},
        {{"/c", "exit"}, "/c exit"},
        {{"a b"}, "\"a b\""},
        {{"C:\\dir\\"}, "C:\\dir\\"},
        {{"C:\\my dir\\"}, "\"C:\\my dir\\\\\""},
        {{"a\"b"}, "\"a\\\"b\""},
        {{""}, "\"\""},
    };
    for (const auto& [arguments, line] : rows)
        EXPECT_EQ(joinArguments(arguments), line);
}

}  // namespace
}  // namespace tavlo
