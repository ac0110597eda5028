#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_notifier.h"

namespace tavlo {

// The system's plain message box, without an icon, as every Windows
// program shows it. The program's lines end in a lone carriage return,
// which the box breaks at as it does at CR LF (Windows and Wine alike),
// so the text goes in unchanged. A box that does not wait runs on a thread
// of its own, and its answer comes back through a message window of the
// thread that asked. That thread never waits for a box's thread: a thread
// that ends sends messages to the other threads' windows (its input
// context goes), and would wait for it in turn.
class Win32MessageBoxNotifier final : public UserNotifier {
public:
    Win32MessageBoxNotifier() = default;
    ~Win32MessageBoxNotifier() override;
    Win32MessageBoxNotifier(const Win32MessageBoxNotifier&) = delete;
    Win32MessageBoxNotifier& operator=(const Win32MessageBoxNotifier&) = delete;

    void showMessage(const std::string& text) override;
    bool ask(const std::string& text) override;
    void post(const std::string& text) override;
    void askLater(const std::string& text, bool yesNo, std::function<void(bool yes)> answered) override;
    void withdraw() override;

    // The window the modal boxes belong to and stay in front of (none by
    // default).
    void setOwner(HWND owner) { owner_ = owner; }

private:
    struct Box {
        DWORD threadId = 0;
        std::shared_ptr<std::atomic<bool>> closed = std::make_shared<std::atomic<bool>>(false);
    };
    // What a box's thread is handed: its text, and where its answer goes.
    struct ShownBox {
        HWND answers;
        unsigned serial;
        UINT type;
        std::shared_ptr<std::atomic<bool>> closed;
        std::wstring text;
    };
    static DWORD WINAPI showBox(void* parameter);
    static LRESULT CALLBACK answerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Shows a box on a thread of its own; its answer is posted back with `serial`.
    Box open(const std::string& text, UINT type, unsigned serial);
    // Presses `button` on the box, once it is on the screen.
    static void close(const Box& box, int button);

    HWND owner_ = nullptr;
    HWND answers_ = nullptr;
    std::optional<Box> question_;
    bool questionYesNo_ = true;
    unsigned serial_ = 0;
    std::function<void(bool)> answered_;
    std::vector<Box> posted_;
};

}  // namespace tavlo
