#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/tool_programs.h"

namespace tavlo {

// What a chosen entry of the popup menu does; each is named as the menu
// names its entry.
enum class MenuCommand {
    MemClr,
    MntrCstmz,
    Pstn,
    Emp,
    cleanmgr,
    FleDel,
    TIFDel,
    DelIHstry,
    ClipBoadClr,
    SysIfo,
    tmgr,
    CtPanel,
    rstrui,
    msinfo,
    dfrg,
    DTMnEnd,
    // A submenu's own entry: it only opens its children.
    None,
};

// An entry of the popup menu: its name, its caption, what it does, and for a
// submenu the number of entries that follow it as its children.
struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    MenuCommand command;
    int children = 0;
};

// The tree under "DMn", in order: no separators, check marks or shortcuts.
inline constexpr std::array<MenuEntry, 18> kMenuEntries{{
    {"MemClr", "メモリ開放", MenuCommand::MemClr},
    {"MntrCstmz", "設定", MenuCommand::MntrCstmz},
    {"Pstn", "位置の設定", MenuCommand::Pstn},
    {"ClnUp", "クリーンアップ", MenuCommand::None, 6},
    {"Emp", "ごみ箱を空にする", MenuCommand::Emp},
    {"cleanmgr", "ディスク クリーンアップ", MenuCommand::cleanmgr},
    {"FleDel", "最近使ったファイルの削除", MenuCommand::FleDel},
    {"TIFDel", "インターネット一時ファイルの削除", MenuCommand::TIFDel},
    {"DelIHstry", "インターネット履歴の削除", MenuCommand::DelIHstry},
    {"ClipBoadClr", "クリップボードのクリア", MenuCommand::ClipBoadClr},
    {"SysTool", "システム", MenuCommand::None, 6},
    {"SysIfo", "システムのプロパティ", MenuCommand::SysIfo},
    {"tmgr", "タスクマネージャ", MenuCommand::tmgr},
    {"CtPanel", "コントロールパネル", MenuCommand::CtPanel},
    {"rstrui", "システムの復元", MenuCommand::rstrui},
    {"msinfo", "システム情報", MenuCommand::msinfo},
    {"dfrg", "ディスク デフラグ", MenuCommand::dfrg},
    {"DTMnEnd", "終了", MenuCommand::DTMnEnd},
}};

// The tool that a command starts, if it starts one.
std::optional<Tool> toolOf(MenuCommand command);

}  // namespace tavlo
