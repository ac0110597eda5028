#include "platform/windows/win32_message_box_notifier.h"

#include <atomic>
#include <chrono>
#include <string_view>

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

constexpr wchar_t kTitle[] = L"Tavlo";
constexpr wchar_t kAnswerClass[] = L"TavloAnswers";
constexpr UINT kAnswered = WM_APP + 7;

// Finds the box on its thread and presses `button`.
BOOL CALLBACK pressOnBox(HWND window, LPARAM button)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770")
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return TRUE;
}

}  // namespace

Win32MessageBoxNotifier::~Win32MessageBoxNotifier()
{
    withdraw();
    for (const Box& box : posted_)
        close(box, IDOK);
    if (answers_)
        DestroyWindow(answers_);
}

void Win32MessageBoxNotifier::showMessage(const std::string& text)
{
    MessageBoxW(owner_, toWide(text).c_str(), kTitle, MB_OK);
}

bool Win32MessageBoxNotifier::ask(const std::string& text)
{
    // A box that could not be shown (0) answers "いいえ".
    return MessageBoxW(owner_, toWide(text).c_str(), kTitle, MB_YESNO) == IDYES;
}

void Win32MessageBoxNotifier::post(const std::string& text)
{
    std::erase_if(posted_, [](const Box& box) { return box.closed->load(); });
    posted_.push_back(open(text, MB_OK, 0));
}

void Win32MessageBoxNotifier::askLater(const std::string& text, bool yesNo, std::function<void(bool)> answered)
{
    withdraw();
    if (!answers_) {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Win32MessageBoxNotifier::answerProcedure;
        windowClass.hInstance = module;
        windowClass.lpszClassName = kAnswerClass;
        RegisterClassW(&windowClass);
        answers_ = CreateWindowExW(0, kAnswerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
        SetWindowLongPtrW(answers_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    answered_ = std::move(answered);
    questionYesNo_ = yesNo;
    question_ = open(text, yesNo ? MB_YESNO : MB_OK, ++serial_);
}

void Win32MessageBoxNotifier::withdraw()
{
    if (!question_)
        return;
    // An answer still on its way is for a question no longer asked.
    ++serial_;
    answered_ = nullptr;
    close(*question_, questionYesNo_ ? IDNO : IDOK);
    question_.reset();
}

Win32MessageBoxNotifier::Box Win32MessageBoxNotifier::open(const std::string& text, UINT type, unsigned serial)
{
    Box box;
    auto shown = std::make_unique<ShownBox>(ShownBox{answers_, serial, type, box.closed, toWide(text)});
    // CreateThread gives the thread's number at once: nothing to wait for.
    const HANDLE thread = CreateThread(nullptr, 0, &Win32MessageBoxNotifier::showBox, shown.get(), 0, &box.threadId);
    if (!thread) {
        // No box: a question is answered as its safe button would.
        *box.closed = true;
        if (serial != 0)
            PostMessageW(answers_, kAnswered, serial, 0);
        return box;
    }
    // The thread owns what it was handed from now on.
    static_cast<void>(shown.release());
    CloseHandle(thread);
    return box;
}

DWORD WINAPI Win32MessageBoxNotifier::showBox(void* parameter)
{
    const std::unique_ptr<ShownBox> shown(static_cast<ShownBox*>(parameter));
    const int button = MessageBoxW(nullptr, shown->text.c_str(), kTitle, shown->type | MB_SETFOREGROUND | MB_TOPMOST);
    *shown->closed = true;
    if (shown->serial != 0)
        PostMessageW(shown->answers, kAnswered, shown->serial, button == IDYES || button == IDOK);
    return 0;
}

void Win32MessageBoxNotifier::close(const Box& box, int button)
{
    // The box may not be on the screen yet: pressed until it has gone, for
    // a moment at most. Its thread then ends on its own.
    using namespace std::chrono;
    const auto giveUp = steady_clock::now() + milliseconds(500);
    while (!*box.closed && steady_clock::now() < giveUp) {
        EnumThreadWindows(box.threadId, pressOnBox, button);
        Sleep(10);
    }
}

LRESULT CALLBACK Win32MessageBoxNotifier::answerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* notifier = reinterpret_cast<Win32MessageBoxNotifier*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != kAnswered || !notifier)
        return DefWindowProcW(window, message, wParam, lParam);
    if (static_cast<unsigned>(wParam) != notifier->serial_ || !notifier->answered_)
        return 0;
    notifier->question_.reset();
    auto answered = std::move(notifier->answered_);
    notifier->answered_ = nullptr;
    answered(lParam != 0);
    return 0;
}

}  // namespace tavlo
