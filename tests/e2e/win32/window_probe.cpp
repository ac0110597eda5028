// A console helper of the Windows program's end-to-end tests, run in the
// same Wine prefix as tavlo.exe, so that it sees the same desktop and
// clipboard:
//   window_probe foreground          the class of the foreground window, or
//                                    "none"
//   window_probe gui CLASS           of the thread of the window of CLASS:
//                                    "active=A menu=M", the classes of its
//                                    active window and of its open menu's
//                                    owner, "none" where it has none
//   window_probe focus CLASS         of the thread of the window of CLASS:
//                                    "id=N class=C" of the control that has
//                                    the keyboard, "none" where none has
//   window_probe set-clipboard TEXT  puts TEXT on the clipboard
//   window_probe clipboard           the clipboard's text, or "empty" when
//                                    it holds no format at all
//   window_probe add-cache-entry URL puts a page of URL in the Internet
//                                    cache
//   window_probe cache-entries       how many entries the cache holds
//   window_probe end-session CLASS   asks the top-level window of CLASS
//                                    whether the session may end and tells
//                                    it that it ends, as logoff does
//   window_probe wait-exit CLASS SECONDS
//                                    prints "watching" once it holds the
//                                    process of the top-level window of
//                                    CLASS, then "exit N" with its exit
//                                    status when it ends within SECONDS:
//                                    for a program that a shortcut started,
//                                    whose status no shell sees
// Exits 0 on success, 1 with the reason on standard error.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int failed(const char* what)
{
    std::fprintf(stderr, "%s failed: error %lu\n", what, GetLastError());
    return 1;
}

std::string utf8(const std::wstring& text)
{
    std::string result(static_cast<std::size_t>(text.size()) * 4, '\0');
    result.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
        result.data(), static_cast<int>(result.size()), nullptr, nullptr)));
    return result;
}

std::string classOf(HWND window)
{
    wchar_t name[256] = {};
    if (!window || !GetClassNameW(window, name, 256))
        return "none";
    return utf8(name);
}

int foreground()
{
    std::puts(classOf(GetForegroundWindow()).c_str());
    return 0;
}

// What the thread of the window of `className` has active, open and
// focused; 1 with the reason when there is no such window.
int guiThreadOf(const wchar_t* className, GUITHREADINFO& info)
{
    const HWND window = FindWindowW(className, nullptr);
    if (!window)
        return failed("FindWindowW");
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return failed("GetGUIThreadInfo");
    return 0;
}

int gui(const wchar_t* className)
{
    GUITHREADINFO info{};
    if (const int status = guiThreadOf(className, info))
        return status;
    std::printf("active=%s menu=%s capture=%s\n", classOf(info.hwndActive).c_str(), classOf(info.hwndMenuOwner).c_str(),
        classOf(info.hwndCapture).c_str());
    return 0;
}

int focus(const wchar_t* className)
{
    GUITHREADINFO info{};
    if (const int status = guiThreadOf(className, info))
        return status;
    if (!info.hwndFocus) {
        std::puts("none");
        return 0;
    }
    std::printf("id=%d class=%s\n", GetDlgCtrlID(info.hwndFocus), classOf(info.hwndFocus).c_str());
    return 0;
}

int setClipboard(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return failed("OpenClipboard");
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
    }
    const bool set = memory && SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return set ? 0 : failed("SetClipboardData");
}

int clipboard()
{
    if (CountClipboardFormats() == 0) {
        std::puts("empty");
        return 0;
    }
    if (!OpenClipboard(nullptr))
        return failed("OpenClipboard");
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    std::puts(utf8(text).c_str());
    return 0;
}

int addCacheEntry(const wchar_t* url)
{
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(url, 0, L"html", file, 0))
        return failed("CreateUrlCacheEntryW");
    const HANDLE content = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (content == INVALID_HANDLE_VALUE)
        return failed("CreateFileW");
    DWORD written = 0;
    WriteFile(content, "<p>Tavlo</p>", 12, &written, nullptr);
    CloseHandle(content);
    const FILETIME never{};
    if (!CommitUrlCacheEntryW(url, file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr))
        return failed("CommitUrlCacheEntryW");
    return 0;
}

int cacheEntries()
{
    std::vector<unsigned char> buffer(64 * 1024);
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    DWORD size = static_cast<DWORD>(buffer.size());
    int count = 0;
    const HANDLE walk = FindFirstUrlCacheEntryW(nullptr, entry, &size);
    if (walk) {
        do {
            ++count;
            size = static_cast<DWORD>(buffer.size());
        } while (FindNextUrlCacheEntryW(walk, entry, &size));
        FindCloseUrlCache(walk);
    }
    std::printf("%d\n", count);
    return 0;
}

int endSession(const wchar_t* className)
{
    const HWND window = FindWindowW(className, nullptr);
    if (!window)
        return failed("FindWindowW");
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer))
        return failed("WM_QUERYENDSESSION");
    if (!answer) {
        std::fputs("the window refused the end of the session\n", stderr);
        return 1;
    }
    if (!SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer))
        return failed("WM_ENDSESSION");
    return 0;
}

// Tells the window of `className` that its monitor's DPI is now `dpi`, as
// the system does when it moves to another monitor.
int dpiChanged(const wchar_t* className, const wchar_t* dpi)
{
    const HWND window = FindWindowW(className, nullptr);
    if (!window)
        return failed("FindWindowW");
    const auto value = static_cast<WORD>(std::wcstoul(dpi, nullptr, 10));
    RECT suggested{};
    GetWindowRect(window, &suggested);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(value, value), reinterpret_cast<LPARAM>(&suggested),
            SMTO_ABORTIFHUNG, 5000, &answer))
        return failed("WM_DPICHANGED");
    return 0;
}

int waitExit(const wchar_t* className, const wchar_t* seconds)
{
    const HWND window = FindWindowW(className, nullptr);
    if (!window)
        return failed("FindWindowW");
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return failed("OpenProcess");
    std::puts("watching");
    std::fflush(stdout);
    const DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(std::wcstoul(seconds, nullptr, 10)) * 1000);
    DWORD status = 0;
    const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeProcess(process, &status);
    CloseHandle(process);
    if (!ended) {
        std::fputs("the process still runs\n", stderr);
        return 1;
    }
    std::printf("exit %lu\n", status);
    return 0;
}

}  // namespace

int wmain(int count, wchar_t** arguments)
{
    const std::wstring command = count > 1 ? arguments[1] : L"";
    if (command == L"foreground" && count == 2)
        return foreground();
    if (command == L"gui" && count == 3)
        return gui(arguments[2]);
    if (command == L"focus" && count == 3)
        return focus(arguments[2]);
    if (command == L"set-clipboard" && count == 3)
        return setClipboard(arguments[2]);
    if (command == L"clipboard" && count == 2)
        return clipboard();
    if (command == L"add-cache-entry" && count == 3)
        return addCacheEntry(arguments[2]);
    if (command == L"cache-entries" && count == 2)
        return cacheEntries();
    if (command == L"end-session" && count == 3)
        return endSession(arguments[2]);
    if (command == L"wait-exit" && count == 4)
        return waitExit(arguments[2], arguments[3]);
    if (command == L"dpi" && count == 4)
        return dpiChanged(arguments[2], arguments[3]);
    std::fputs("usage: window_probe foreground | gui CLASS | focus CLASS | set-clipboard TEXT | clipboard | "
               "add-cache-entry URL | cache-entries | end-session CLASS | wait-exit CLASS SECONDS | "
               "dpi CLASS DPI\n",
        stderr);
    return 1;
}
