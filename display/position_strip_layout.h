#pragma once

#include <string_view>

#include "core/colour.h"
#include "platform/geometry.h"

namespace tavlo {

// The position strip that "位置の設定" uncovers below the readouts (between
// kNormalHeight and kPositionModeHeight of the window): the drag handle
// PstnMove and the buttons cmdPstnSave and cmdFstPstn, in twips from the
// window's corner. Every shell places them from here.
inline constexpr TwipRect kPstnMoveRect{360, 3660, 480, 480};
inline constexpr TwipRect kPstnSaveRect{960, 3710, 615, 375};
inline constexpr TwipRect kFstPstnRect{1680, 3710, 1575, 375};
inline constexpr std::string_view kPstnSaveCaption = "決定";
inline constexpr std::string_view kFstPstnCaption = "元の位置に戻す";
// The buttons' face: not a colour key, so they stay opaque.
inline constexpr Colour kStripButtonColour = 0xCCFCB6;

}  // namespace tavlo
