#include "platform/linux/xdg_autostart.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

using Action = AutostartRequest::Action;

struct ArgumentsRow {
    std::vector<std::string> arguments;
    Action action;
};

TEST(AutostartArguments, OnOffHelpVersionAndNothingElse)
{
    for (const ArgumentsRow& row : {ArgumentsRow{{"on"}, Action::On}, ArgumentsRow{{"off"}, Action::Off},
             ArgumentsRow{{"--help"}, Action::Help}, ArgumentsRow{{"--version"}, Action::Version},
             ArgumentsRow{{}, Action::Error}, ArgumentsRow{{"ON"}, Action::Error},
             ArgumentsRow{{"on", "off"}, Action::Error}, ArgumentsRow{{"--autostart"}, Action::Error}}) {
        const AutostartRequest request = parseAutostartArguments(row.arguments);
        EXPECT_EQ(request.action, row.action) << ::testing::PrintToString(row.arguments);
        EXPECT_EQ(request.error.empty(), row.action != Action::Error);
    }
}

constexpr std::string_view kEntry = "[Desktop Entry]\nName=Tavlo\nExec=tavlo\nIcon=tavlo\n";

class AutostartTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> arguments)
    {
        out.str({});
        err.str({});
        return runAutostart(arguments, entry.string(), kEntry, "/opt/tavlo/bin/tavlo", out, err);
    }
    std::string written() const
    {
        std::ifstream file(entry);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    testing::TempFolder home{"autostart"};
    std::filesystem::path entry = home.path / "config/autostart/tavlo.desktop";
    std::ostringstream out, err;
};

TEST_F(AutostartTest, OnWritesTheEntryWithTheProgramsPathAndOffRemovesIt)
{
    EXPECT_EQ(run({"on"}), 0);
    EXPECT_EQ(written(), "[Desktop Entry]\nName=Tavlo\nExec=/opt/tavlo/bin/tavlo\nIcon=tavlo\n");
    EXPECT_EQ(out.str(), "Wrote " + entry.string() + "\n");
    EXPECT_EQ(run({"on"}), 0);  // again: the same entry, nothing left beside it
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(entry.parent_path()), {}), 1);

    EXPECT_EQ(run({"off"}), 0);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(run({"off"}), 0);  // already off
    EXPECT_EQ(out.str(), "Removed " + entry.string() + "\n");
}

TEST_F(AutostartTest, UsageGoesToTheRightStreamWithTheRightStatus)
{
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(out.str(), kAutostartUsage);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str().rfind("tavlo-autostart ", 0), 0u);
    EXPECT_EQ(run({"maybe"}), 2);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(err.str(), "tavlo-autostart: unknown argument \"maybe\"\n" + std::string(kAutostartUsage));
    EXPECT_FALSE(std::filesystem::exists(entry));
}

// A file where the autostart folder should be: no entry can be written.
TEST_F(AutostartTest, AnEntryThatCannotBeWrittenFailsAndSaysWhy)
{
    testing::writeFile(entry.parent_path(), "not a folder");
    EXPECT_EQ(run({"on"}), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(err.str().rfind("tavlo-autostart: " + entry.parent_path().string(), 0), 0u) << err.str();
}

}  // namespace
}  // namespace tavlo
