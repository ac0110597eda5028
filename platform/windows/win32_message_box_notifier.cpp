#include "platform/windows/win32_message_box_notifier.h"

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

constexpr wchar_t kTitle[] = L"Tavlo";

}  // namespace

void Win32MessageBoxNotifier::showMessage(const std::string& text)
{
    MessageBoxW(owner_, toWide(text).c_str(), kTitle, MB_OK);
}

bool Win32MessageBoxNotifier::ask(const std::string& text)
{
    // A box that could not be shown (0) answers "いいえ".
    return MessageBoxW(owner_, toWide(text).c_str(), kTitle, MB_YESNO) == IDYES;
}

}  // namespace tavlo
