#include "platform/windows/command_line.h"

#include <string_view>

namespace tavlo {
namespace {

void appendQuoted(std::string& line, std::string_view argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
        line += argument;
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are plain text unless a quote follows them.
        line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    // The closing quote follows them too.
    line.append(2 * backslashes, '\\');
    line += '"';
}

}  // namespace

std::string joinArguments(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (&argument != &arguments.front())
            line += ' ';
        appendQuoted(line, argument);
    }
    return line;
}

}  // namespace tavlo
