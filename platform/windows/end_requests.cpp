#include "platform/windows/end_requests.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/os_services.h"

namespace tavlo {
namespace {

constexpr UINT kEndRequested = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"TavloEndRequests";

// The system ends the process once the handler returns from a closed
// console, a logoff or a shutdown, and would anyway after about this long.
constexpr auto kTimeToEnd = std::chrono::seconds(5);

// The message windows of the live watches, reached from the handler's
// thread.
std::mutex watchesMutex;
std::condition_variable watchesChanged;
std::vector<HWND> watchWindows;

// Carries the request over to the thread that made the watch: the one that
// pumps its messages.
class MessageWindowWatch final : public EndRequestWatch {
public:
    explicit MessageWindowWatch(std::function<void()> quit) : quit_(std::move(quit))
    {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        static const ATOM windowClass = [module] {
            WNDCLASSEXW description{};
            description.cbSize = sizeof description;
            description.lpfnWndProc = windowProcedure;
            description.hInstance = module;
            description.lpszClassName = kWindowClass;
            return RegisterClassExW(&description);
        }();
        if (!windowClass)
            return;
        // A message-only window: no display needed, never shown or enumerated.
        // The first window of a process waits for the desktop to come up,
        // which under Wine on a busy machine may time out once: asked again.
        for (int attempt = 0; attempt < 20 && !window_; ++attempt) {
            if (attempt > 0)
                Sleep(50);
            window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, this);
        }
        if (!window_)
            return;
        const std::lock_guard lock(watchesMutex);
        if (watchWindows.empty())
            SetConsoleCtrlHandler(onConsoleControl, TRUE);
        watchWindows.push_back(window_);
    }

    ~MessageWindowWatch() override
    {
        if (!window_)
            return;
        {
            const std::lock_guard lock(watchesMutex);
            std::erase(watchWindows, window_);
            if (watchWindows.empty())
                SetConsoleCtrlHandler(onConsoleControl, FALSE);
        }
        watchesChanged.notify_all();
        DestroyWindow(window_);
    }

    MessageWindowWatch(const MessageWindowWatch&) = delete;
    MessageWindowWatch& operator=(const MessageWindowWatch&) = delete;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        } else if (message == kEndRequested) {
            if (auto* watch = reinterpret_cast<MessageWindowWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                // Quitting may end the watch, and its function with it: the
                // copy lives until the call returns.
                const std::function<void()> quit = watch->quit_;
                quit();
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    std::function<void()> quit_;
    HWND window_ = nullptr;
};

bool endsTheProcessOnReturn(DWORD event)
{
    return event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
}

}  // namespace

BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && !endsTheProcessOnReturn(event))
        return FALSE;
    std::unique_lock lock(watchesMutex);
    if (watchWindows.empty())
        return FALSE;
    for (const HWND window : watchWindows)
        PostMessageW(window, kEndRequested, 0, 0);
    // Hold the system back until the program has ended the way "終了" ends
    // it, which lets go of its watch on the way.
    if (endsTheProcessOnReturn(event))
        watchesChanged.wait_for(lock, kTimeToEnd, [] { return watchWindows.empty(); });
    return TRUE;
}

std::unique_ptr<EndRequestWatch> watchEndRequests(std::function<void()> quit)
{
    return std::make_unique<MessageWindowWatch>(std::move(quit));
}

}  // namespace tavlo
