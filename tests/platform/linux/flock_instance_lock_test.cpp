#include "platform/linux/flock_instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

class FlockInstanceLockTest : public ::testing::Test {
protected:
    testing::TempFolder temp{"lock"};
    std::string base = temp.path.string();
    std::vector<std::string> bases{base};
    std::string folder = base + "/tavlo-" + std::to_string(::getuid());
};

TEST_F(FlockInstanceLockTest, TheFirstHolderRunsOnAndASecondIsRefused)
{
    auto first = std::make_unique<FlockInstanceLock>(bases, ::getuid());
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning());  // asking again is not a second instance

    FlockInstanceLock second(bases, ::getuid());
    EXPECT_TRUE(second.anotherInstanceRunning());

    first.reset();
    EXPECT_FALSE(second.anotherInstanceRunning());
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
}

TEST_F(FlockInstanceLockTest, EveryStartOfTheUserLooksInTheSamePlacesWhateverItsEnvironment)
{
    // A start from the desktop and one from a su shell or a sudo session
    // differ in XDG_RUNTIME_DIR, TMPDIR and HOME.
    const auto desktop = FlockInstanceLock::defaultBases(1000);
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR", "HOME"}) {
        const char* value = std::getenv(variable);
        saved.emplace_back(variable, value ? std::optional<std::string>(value) : std::nullopt);
        ::setenv(variable, (base + "/su-shell").c_str(), 1);
    }
    const auto suShell = FlockInstanceLock::defaultBases(1000);
    for (const auto& [variable, value] : saved)
        value ? ::setenv(variable, value->c_str(), 1) : ::unsetenv(variable);
    EXPECT_EQ(suShell, desktop);
    EXPECT_EQ(desktop, (std::vector<std::string>{"/tmp", "/run/user/1000"}));
}

TEST_F(FlockInstanceLockTest, AFolderOthersCouldOpenIsMadeTheUsersAlone)
{
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 0755);
    FlockInstanceLock first(bases, ::getuid());
    EXPECT_FALSE(first.anotherInstanceRunning());
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
}

TEST_F(FlockInstanceLockTest, AFolderThatAnotherUserMadeFirstIsPassedOver)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a folder of another user needs root";
    const uid_t user = 1000;
    const std::string squatted = base + "/shared/tavlo-1000";
    const std::string runtime = base + "/runtime";
    std::filesystem::create_directories(base + "/shared");
    std::filesystem::create_directories(runtime);
    ASSERT_EQ(::chown(runtime.c_str(), user, user), 0);
    const std::vector<std::string> places{base + "/shared", runtime};

    // Made by someone else, or a link to a folder of the user's: the lock
    // moves on to the runtime folder, and every start finds it there.
    for (const bool link : {false, true}) {
        std::filesystem::remove_all(squatted);
        if (link) {
            std::filesystem::create_directory(base + "/elsewhere");
            ASSERT_EQ(::chown((base + "/elsewhere").c_str(), user, user), 0);
            std::filesystem::create_directory_symlink(base + "/elsewhere", squatted);
        } else {
            std::filesystem::create_directory(squatted);
            ASSERT_EQ(::chown(squatted.c_str(), 65534, 65534), 0);
        }
        // As the user's own start would make it there.
        std::filesystem::remove_all(runtime + "/tavlo-1000");
        std::filesystem::create_directory(runtime + "/tavlo-1000");
        ASSERT_EQ(::chown((runtime + "/tavlo-1000").c_str(), user, user), 0);
        FlockInstanceLock holder(places, user);
        EXPECT_FALSE(holder.anotherInstanceRunning());
        EXPECT_TRUE(FlockInstanceLock(places, user).anotherInstanceRunning());
    }
}

TEST_F(FlockInstanceLockTest, AKilledHolderDoesNotBlockTheNextStart)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FlockInstanceLock held(bases, ::getuid());
        const char answer = held.anotherInstanceRunning() ? 'n' : 'y';
        [[maybe_unused]] auto written = ::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');

    FlockInstanceLock blocked(bases, ::getuid());
    EXPECT_TRUE(blocked.anotherInstanceRunning());

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    FlockInstanceLock next(bases, ::getuid());
    EXPECT_FALSE(next.anotherInstanceRunning());
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
}  // namespace tavlo
