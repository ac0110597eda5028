#include "platform/windows/win32_message_box_notifier.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace tavlo {
namespace {

// Runs the calling thread's messages for `duration`.
void pumpMessages(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(5);
    }
}

TEST(Win32MessageBoxNotifier, EveryQuestionIsHandedToItsBoxAtOnceAndAWithdrawnOneIsNeverAnswered)
{
    // The questions are asked on a thread of their own, so that a hang in
    // handing a box to its thread fails this test instead of stopping the
    // run; the gadget's window thread froze there once.
    auto finished = std::make_shared<std::promise<int>>();
    std::future<int> answers = finished->get_future();
    std::thread([finished] {
        Win32MessageBoxNotifier notifier;
        int answered = 0;
        for (int question = 0; question < 400; ++question) {
            notifier.askLater("Tavlo の試験", question % 2 == 0, [&answered](bool) { ++answered; });
            notifier.withdraw();
        }
        pumpMessages(std::chrono::milliseconds(300));
        finished->set_value(answered);
    }).detach();
    ASSERT_EQ(answers.wait_for(std::chrono::seconds(60)), std::future_status::ready) << "asking a question hung";
    EXPECT_EQ(answers.get(), 0);
}

}  // namespace
}  // namespace tavlo
