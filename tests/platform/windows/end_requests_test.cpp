#include "platform/windows/end_requests.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>

#include "platform/os_services.h"

namespace tavlo {
namespace {

// Wine delivers no console control event to a program whose console is
// not a terminal (GenerateConsoleCtrlEvent fails with error 12 under
// ctest), so the tests call the registered handler the way the system
// does: on a thread of its own.
struct EndRequests : ::testing::Test {
    std::optional<DWORD> quitThread;
    std::unique_ptr<EndRequestWatch> watch = watchEndRequests([this] { quitThread = GetCurrentThreadId(); });

    std::future<BOOL> raise(DWORD event)
    {
        return std::async(std::launch::async, [event] { return onConsoleControl(event); });
    }

    // Runs this thread's messages, as the program's event loop does, until
    // quit has run or `limit` has passed.
    void pumpUntilQuit(std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!quitThread && std::chrono::steady_clock::now() < deadline) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            Sleep(10);
        }
    }
};

TEST_F(EndRequests, CtrlCAndCtrlBreakQuitOnTheWatchingThread)
{
    for (const DWORD event : {CTRL_C_EVENT, CTRL_BREAK_EVENT}) {
        quitThread.reset();
        EXPECT_TRUE(raise(event).get()) << event;
        EXPECT_FALSE(quitThread) << "quit must wait for the event loop";
        pumpUntilQuit();
        EXPECT_EQ(quitThread, GetCurrentThreadId()) << event;
    }
}

// The system ends the process as soon as the handler returns from these,
// so the handler holds on until the program has ended its own way.
TEST_F(EndRequests, AClosedConsoleLogoffAndShutdownWaitForTheProgramToEnd)
{
    for (const DWORD event : {CTRL_CLOSE_EVENT, CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT}) {
        quitThread.reset();
        watch = watchEndRequests([this] { quitThread = GetCurrentThreadId(); });
        auto handled = raise(event);
        pumpUntilQuit();
        EXPECT_EQ(quitThread, GetCurrentThreadId()) << event;
        EXPECT_EQ(handled.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout) << event;
        watch.reset();
        ASSERT_EQ(handled.wait_for(std::chrono::seconds(2)), std::future_status::ready) << event;
        EXPECT_TRUE(handled.get()) << event;
    }
}

// Marks the function being called: a capture of quit that tells when the
// very copy that runs is destroyed while it runs.
const void* runningCapture = nullptr;
bool destroyedWhileRunning = false;

struct CaptureWitness {
    CaptureWitness() = default;
    CaptureWitness(const CaptureWitness&) = default;
    CaptureWitness& operator=(const CaptureWitness&) = default;
    ~CaptureWitness()
    {
        if (this == runningCapture)
            destroyedWhileRunning = true;
    }
};

// The program's quit may let go of the watch at once, as its end does.
TEST_F(EndRequests, QuitMayEndTheWatchThatCallsIt)
{
    runningCapture = nullptr;
    destroyedWhileRunning = false;
    watch = watchEndRequests([this, witness = CaptureWitness{}] {
        runningCapture = &witness;
        quitThread = GetCurrentThreadId();
        auto& own = watch;
        own.reset();
        runningCapture = nullptr;  // nothing of the closure is touched past the reset
    });
    EXPECT_TRUE(raise(CTRL_C_EVENT).get());
    pumpUntilQuit();
    EXPECT_FALSE(watch);
    EXPECT_FALSE(destroyedWhileRunning) << "quit's own function was destroyed during its call";
}

TEST_F(EndRequests, WithoutAWatchTheSystemEndsTheProgramItsOwnWay)
{
    watch.reset();
    EXPECT_FALSE(raise(CTRL_C_EVENT).get());
    EXPECT_FALSE(raise(CTRL_CLOSE_EVENT).get());
    pumpUntilQuit(std::chrono::milliseconds(300));
    EXPECT_FALSE(quitThread);
    EXPECT_FALSE(SetConsoleCtrlHandler(onConsoleControl, FALSE)) << "the handler stayed registered";
}

}  // namespace
}  // namespace tavlo
