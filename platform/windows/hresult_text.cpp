#include "platform/windows/hresult_text.h"

#include <cstdio>

#include "platform/windows/wide_text.h"

namespace tavlo {

std::string describeHresult(HRESULT result)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    std::string text = code;

    wchar_t* words = nullptr;
    const DWORD length
        = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    if (length > 0 && words) {
        std::wstring message(words, length);
        while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
            message.pop_back();
        if (!message.empty())
            text += " " + toUtf8(message);
    }
    if (words)
        LocalFree(words);
    return text;
}

}  // namespace tavlo
