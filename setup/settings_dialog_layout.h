#pragma once

#include <array>
#include <string_view>

#include "platform/geometry.h"

namespace tavlo {

// The settings dialog's window: its client area is 8415 × 5280 twips within
// an outer frame of 8505 × 5760.
inline constexpr TwipSize kSetupClientSize{8415, 5280};

enum class ControlKind {
    Group,  // a frame with a caption
    CheckBox,
    Label,  // a caption
    Note,   // a caption in red
    Link,   // a caption in blue that reacts to a click
    Button,
    SetButton,  // a graphical-style button in its own colour
    Swatch,     // a box that shows a colour
    ShowHideCombo,
    TextBox,
};

// A control of the dialog: its name (empty for a plain caption), the group
// it sits in (empty: the window), what it is, its caption and its rectangle
// in the client area of its parent.
struct ControlPlacement {
    std::string_view name;
    std::string_view parent;
    ControlKind kind;
    std::string_view caption;
    TwipRect rect;
};

// Every control, each parent before its children. The colour rows name
// their buttons "browse-" and "delete-" after their key.
inline constexpr std::array<ControlPlacement, 54> kSetupControls{{
    {"Frame1", "", ControlKind::Group, "色", {120, 60, 8175, 5100}},

    {"Check1", "Frame1", ControlKind::CheckBox, "すべて同じ色に設定する", {180, 300, 3600, 300}},
    {"Frame3", "Frame1", ControlKind::Group, "", {180, 600, 3900, 540}},
    {"Text2", "Frame3", ControlKind::Swatch, "", {1080, 120, 900, 270}},
    {"browse-all", "Frame3", ControlKind::Button, "参照", {2100, 120, 750, 285}},
    {"delete-all", "Frame3", ControlKind::Button, "削除", {2940, 120, 750, 285}},

    {"Check2", "Frame1", ControlKind::CheckBox, "項目別に色を設定する", {180, 1230, 3600, 300}},
    {"Frame4", "Frame1", ControlKind::Group, "", {180, 1530, 3900, 2070}},
    {"", "Frame4", ControlKind::Label, "DATE", {120, 105, 900, 270}},
    {"Text1", "Frame4", ControlKind::Swatch, "", {1080, 90, 900, 270}},
    {"browse-date", "Frame4", ControlKind::Button, "参照", {2100, 90, 750, 285}},
    {"delete-date", "Frame4", ControlKind::Button, "削除", {2940, 90, 750, 285}},
    {"", "Frame4", ControlKind::Label, "TIME", {120, 420, 900, 270}},
    {"Text7", "Frame4", ControlKind::Swatch, "", {1080, 405, 900, 270}},
    {"browse-time", "Frame4", ControlKind::Button, "参照", {2100, 405, 750, 285}},
    {"delete-time", "Frame4", ControlKind::Button, "削除", {2940, 405, 750, 285}},
    {"", "Frame4", ControlKind::Label, "CPU", {120, 735, 900, 270}},
    {"Text3", "Frame4", ControlKind::Swatch, "", {1080, 720, 900, 270}},
    {"browse-c", "Frame4", ControlKind::Button, "参照", {2100, 720, 750, 285}},
    {"delete-c", "Frame4", ControlKind::Button, "削除", {2940, 720, 750, 285}},
    {"", "Frame4", ControlKind::Label, "RAM", {120, 1050, 900, 270}},
    {"Text4", "Frame4", ControlKind::Swatch, "", {1080, 1035, 900, 270}},
    {"browse-r", "Frame4", ControlKind::Button, "参照", {2100, 1035, 750, 285}},
    {"delete-r", "Frame4", ControlKind::Button, "削除", {2940, 1035, 750, 285}},
    {"", "Frame4", ControlKind::Label, "DISK", {120, 1365, 900, 270}},
    {"Text5", "Frame4", ControlKind::Swatch, "", {1080, 1350, 900, 270}},
    {"browse-d", "Frame4", ControlKind::Button, "参照", {2100, 1350, 750, 285}},
    {"delete-d", "Frame4", ControlKind::Button, "削除", {2940, 1350, 750, 285}},
    {"", "Frame4", ControlKind::Label, "空き領域", {120, 1680, 900, 270}},
    {"Text6", "Frame4", ControlKind::Swatch, "", {1080, 1665, 900, 270}},
    {"browse-ds", "Frame4", ControlKind::Button, "参照", {2100, 1665, 750, 285}},
    {"delete-ds", "Frame4", ControlKind::Button, "削除", {2940, 1665, 750, 285}},

    {"Frame5", "Frame1", ControlKind::Group, "ウインドウ", {180, 3660, 3900, 720}},
    {"", "Frame5", ControlKind::Label, "ウインドウ透過色：", {120, 300, 1650, 300}},
    {"Command21", "Frame5", ControlKind::SetButton, "設定", {1800, 270, 750, 330}},
    {"Bc", "Frame5", ControlKind::Swatch, "", {2700, 270, 900, 330}},

    {"Frame2", "Frame1", ControlKind::Group, "時計と月齢", {4230, 300, 3780, 2250}},
    {"", "Frame2", ControlKind::Label, "時計：", {150, 330, 750, 300}},
    {"cboCVw", "Frame2", ControlKind::ShowHideCombo, "", {900, 300, 1350, 330}},
    {"Command17", "Frame2", ControlKind::Button, "フォント", {150, 750, 960, 330}},
    {"ClFntN", "Frame2", ControlKind::TextBox, "", {1200, 750, 2430, 330}},
    {"ClFntSt", "Frame2", ControlKind::TextBox, "", {1200, 1140, 2430, 330}},
    {"", "Frame2", ControlKind::Note, "フォントサイズは指定できません", {900, 1500, 2820, 270}},
    {"", "Frame2", ControlKind::Label, "月齢：", {150, 1860, 750, 300}},
    {"cboMVw", "Frame2", ControlKind::ShowHideCombo, "", {900, 1830, 1350, 330}},

    {"Frame7", "Frame1", ControlKind::Group, "物理メモリ", {4230, 2640, 3780, 1740}},
    {"", "Frame7", ControlKind::Note, "物理メモリが2Gを超える場合に設定してください。", {150, 270, 3540, 540}},
    {"Label30", "Frame7", ControlKind::Link, "[確認方法]", {150, 840, 1200, 270}},
    {"", "Frame7", ControlKind::Label, "物理メモリサイズ：", {150, 1260, 1650, 300}},
    {"RTUl", "Frame7", ControlKind::TextBox, "", {1800, 1230, 1350, 330}},
    {"", "Frame7", ControlKind::Label, "MB", {3240, 1260, 450, 300}},

    {"Command6", "Frame1", ControlKind::Button, "保存", {4125, 4680, 1200, 390}},
    {"Command5", "Frame1", ControlKind::Button, "キャンセル", {5475, 4680, 1200, 390}},
    {"cmdUnld", "Frame1", ControlKind::Button, "閉じる", {6825, 4680, 1200, 390}},
}};

}  // namespace tavlo
