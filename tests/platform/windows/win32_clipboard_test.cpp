#include "platform/windows/win32_clipboard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "tests/platform/windows/system_state_lock.h"

namespace tavlo {
namespace {

// A message-only window of the calling thread, to own the clipboard.
class MessageWindow {
public:
    MessageWindow()
        : handle_(CreateWindowExW(
            0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~MessageWindow()
    {
        if (handle_)
            DestroyWindow(handle_);
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND handle() const { return handle_; }

private:
    HWND handle_;
};

bool putText(HWND owner, const std::wstring& text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool put = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put)
            GlobalFree(memory);
    }
    CloseClipboard();
    return put;
}

// Wine keeps the clipboard in its server, so no X display is needed: only a
// window to own what is put on it.
class Win32Clipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!window.handle())
            GTEST_SKIP() << "no window could be made (error " << GetLastError() << ")";
    }
    testing::SystemStateLock alone{L"clipboard"};
    MessageWindow window;
};

TEST_F(Win32Clipboard, EmptiesTextAndAnEmptyClipboardStaysEmpty)
{
    ASSERT_TRUE(putText(window.handle(), L"コピーした文字")) << GetLastError();
    EXPECT_GT(CountClipboardFormats(), 0);
    EXPECT_TRUE(emptyClipboard(window.handle()));
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_TRUE(emptyClipboard(window.handle()));
    EXPECT_EQ(CountClipboardFormats(), 0);
}

// Another program's window holds the clipboard open: for a moment is waited
// out; for longer than the call waits fails it, with the text left alone.
TEST_F(Win32Clipboard, WaitsOutAShortHoldButNotALongOne)
{
    for (const bool briefly : {true, false}) {
        SCOPED_TRACE(briefly ? "held briefly" : "held throughout");
        ASSERT_TRUE(putText(window.handle(), L"kept")) << GetLastError();
        std::promise<void> opened;
        std::promise<void> done;
        std::thread other([&] {
            const MessageWindow holder;
            const bool holding = OpenClipboard(holder.handle());
            opened.set_value();
            if (briefly)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            else
                done.get_future().wait();
            if (holding)
                CloseClipboard();
        });
        opened.get_future().wait();
        EXPECT_EQ(emptyClipboard(window.handle()), briefly);
        done.set_value();
        other.join();
        EXPECT_EQ(CountClipboardFormats() == 0, briefly);
    }
    EXPECT_TRUE(emptyClipboard(window.handle()));
}

}  // namespace
}  // namespace tavlo
