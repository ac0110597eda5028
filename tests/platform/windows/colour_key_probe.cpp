// A window in the gadget's manner for colour_key.sh: a borderless popup at
// (200, 150), 240 x 180, painted in the key colour with a green rectangle
// (60, 50)-(180, 130) inside, kept off the taskbar and keyed. Writes
// "ready" into its working directory once shown ("failed" with the reason
// when the window is not as asked) and stays until a file "stop" appears
// there, or 20 s pass.
#include <windows.h>

#include <fstream>
#include <string>

#include "platform/windows/layered_window.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kInside = RGB(0x20, 0xA0, 0x40);
constexpr RECT kRectangle = {60, 50, 180, 130};
constexpr UINT_PTR kPoll = 1;
constexpr int kPolls = 200;  // of 100 ms

void note(const wchar_t* file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text << "\n";
}

void fill(HDC device, const RECT& area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(device, &area, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static int polls = 0;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC device = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        fill(device, client, kKey);
        fill(device, kRectangle, kInside);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        if (GetFileAttributesW(L"stop") != INVALID_FILE_ATTRIBUTES || ++polls >= kPolls)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// What is wrong with the window's styles and layering, or nothing.
std::string problem(HWND window)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(style & WS_EX_LAYERED))
        return "not layered";
    if (!(style & WS_EX_TOOLWINDOW) || (style & WS_EX_APPWINDOW))
        return "not a tool window";
    COLORREF key = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, &key, nullptr, &flags))
        return "no layered attributes: error " + std::to_string(GetLastError());
    if (key != kKey || flags != LWA_COLORKEY)
        return "key " + std::to_string(key) + " flags " + std::to_string(flags);
    return {};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = windowProcedure;
    description.hInstance = instance;
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.lpszClassName = L"TavloColourKeyProbe";
    RegisterClassExW(&description);
    // Made an application window, which keepOffTaskbar must undo.
    HWND window = CreateWindowExW(WS_EX_APPWINDOW, description.lpszClassName, L"Tavlo colour key probe", WS_POPUP, 200,
        150, 240, 180, nullptr, nullptr, instance, nullptr);
    if (!window) {
        note(L"failed", "no window: error " + std::to_string(GetLastError()));
        return 1;
    }
    tavlo::keepOffTaskbar(window);
    tavlo::applyColourKey(window, kKey);
    if (const std::string wrong = problem(window); !wrong.empty()) {
        note(L"failed", wrong);
        return 1;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    SetTimer(window, kPoll, 100, nullptr);
    note(L"ready", "shown");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
