#include "platform/windows/win32_session_info.h"

#include <windows.h>

#include <lmcons.h>

#include "platform/windows/wide_text.h"

namespace tavlo {

std::string Win32SessionInfo::userName() const
{
    wchar_t name[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    if (GetUserNameW(name, &size) && name[0] != L'\0')
        return toUtf8(name);
    return "user";
}

std::string Win32SessionInfo::currentDirectory() const
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring path(size, L'\0');
    const DWORD length = size > 0 ? GetCurrentDirectoryW(size, path.data()) : 0;
    if (length == 0 || length >= size)
        return ".";
    path.resize(length);
    // Only a root ("C:\") keeps its separator.
    if (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return toUtf8(path);
}

}  // namespace tavlo
