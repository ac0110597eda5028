#include "shell/win32/common_pickers.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <cwchar>

#include "platform/windows/wide_text.h"

namespace tavlo {

std::optional<Colour> chooseColour(HWND owner, Colour initial)
{
    // Filled afresh each time: the dialog keeps no custom colours between
    // openings.
    std::array<COLORREF, 16> custom;
    custom.fill(static_cast<COLORREF>(initial));
    CHOOSECOLORW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = static_cast<COLORREF>(initial);
    request.lpCustColors = custom.data();
    request.Flags = CC_RGBINIT;
    if (!ChooseColorW(&request))
        return std::nullopt;
    return static_cast<Colour>(request.rgbResult);
}

std::optional<FontChoice> chooseFont(HWND owner, const std::string& face, int points, DpiScale scale)
{
    LOGFONTW font{};
    font.lfHeight = -scale.fontPixels(points);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wideFace = toWide(face);
    // A face name longer than LOGFONTW holds is cut, never overrun.
    std::wcsncpy(font.lfFaceName, wideFace.c_str(), LF_FACESIZE - 1);
    CHOOSEFONTW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&request))
        return std::nullopt;
    return FontChoice{toUtf8(font.lfFaceName), font.lfWeight >= FW_BOLD, font.lfItalic != 0};
}

}  // namespace tavlo
