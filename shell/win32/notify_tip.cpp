#include "shell/win32/notify_tip.h"

#include <algorithm>

#include "platform/windows/wide_text.h"

namespace tavlo {

std::wstring notifyTipText(std::string_view tip, std::size_t capacity)
{
    std::wstring text = toWide(tip);
    std::replace(text.begin(), text.end(), L'\r', L'\n');
    if (capacity == 0)
        return {};
    if (text.size() >= capacity) {
        std::size_t length = capacity - 1;
        if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
            --length;
        text.resize(length);
    }
    return text;
}

}  // namespace tavlo
