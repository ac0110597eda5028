#include "platform/linux/quit_signals.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

namespace tavlo {
namespace {

// A signal may arrive in the middle of any code that is about to read
// errno: the handler leaves it as it was, also once the pipe to the event
// loop is full and its write fails.
TEST(QuitSignals, TheHandlerLeavesErrnoAsItWas)
{
    const QuitSignals watch;
    for (int count = 0; count < 400000; ++count) {
        errno = ERANGE;
        std::raise(SIGHUP);
        ASSERT_EQ(errno, ERANGE) << "after " << count << " signals";
    }
}

// A signal that came as the event loop ended is still seen, once, before
// the program would start again.
TEST(QuitSignals, ASignalTheLoopDidNotReadIsPending)
{
    const QuitSignals watch;
    EXPECT_FALSE(watch.pending());
    std::raise(SIGTERM);
    EXPECT_TRUE(watch.pending());
    EXPECT_FALSE(watch.pending());
}

}  // namespace
}  // namespace tavlo
