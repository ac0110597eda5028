#include "platform/windows/system_message.h"

#include <cstdio>

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

std::string systemWords(DWORD code)
{
    wchar_t* words = nullptr;
    const DWORD length
        = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, code, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    std::wstring message = length > 0 && words ? std::wstring(words, length) : std::wstring();
    if (words)
        LocalFree(words);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return toUtf8(message);
}

}  // namespace

std::string systemReason(unsigned long error)
{
    const std::string words = systemWords(error);
    return words.empty() ? "error " + std::to_string(error) : words;
}

std::string describeHresult(HRESULT result)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    const std::string words = systemWords(static_cast<DWORD>(result));
    return words.empty() ? std::string(code) : std::string(code) + " " + words;
}

}  // namespace tavlo
