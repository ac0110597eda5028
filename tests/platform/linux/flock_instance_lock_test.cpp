#include "platform/linux/flock_instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

namespace tavlo {
namespace {

class FlockInstanceLockTest : public ::testing::Test {
protected:
    std::string lockPath
        = (std::filesystem::temp_directory_path() / ("tavlo-lock-test-" + std::to_string(::getpid()) + ".lock"))
              .string();
    void TearDown() override { std::filesystem::remove(lockPath); }
};

TEST_F(FlockInstanceLockTest, TheFirstHolderRunsOnAndASecondIsRefused)
{
    auto first = std::make_unique<FlockInstanceLock>(lockPath);
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning());  // asking again is not a second instance

    FlockInstanceLock second(lockPath);
    EXPECT_TRUE(second.anotherInstanceRunning());

    first.reset();
    EXPECT_FALSE(second.anotherInstanceRunning());
}

TEST_F(FlockInstanceLockTest, AKilledHolderDoesNotBlockTheNextStart)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FlockInstanceLock held(lockPath);
        const char answer = held.anotherInstanceRunning() ? 'n' : 'y';
        [[maybe_unused]] auto written = ::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');

    FlockInstanceLock blocked(lockPath);
    EXPECT_TRUE(blocked.anotherInstanceRunning());

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    FlockInstanceLock next(lockPath);
    EXPECT_FALSE(next.anotherInstanceRunning());
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
}  // namespace tavlo
