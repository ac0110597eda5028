#pragma once

#include <QMenu>
#include <QPushButton>

#include <array>
#include <functional>
#include <string_view>

namespace tavlo {

// An entry of the popup menu: its name, its caption, and for a submenu the
// number of entries that follow it as its children.
struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    int children = 0;
};

// The tree under "DMn", in order: no separators, check marks or shortcuts.
inline constexpr std::array<MenuEntry, 18> kMenuEntries{{
    {"MemClr", "メモリ開放"},
    {"MntrCstmz", "設定"},
    {"Pstn", "位置の設定"},
    {"ClnUp", "クリーンアップ", 6},
    {"Emp", "ごみ箱を空にする"},
    {"cleanmgr", "ディスク クリーンアップ"},
    {"FleDel", "最近使ったファイルの削除"},
    {"TIFDel", "インターネット一時ファイルの削除"},
    {"DelIHstry", "インターネット履歴の削除"},
    {"ClipBoadClr", "クリップボードのクリア"},
    {"SysTool", "システム", 6},
    {"SysIfo", "システムのプロパティ"},
    {"tmgr", "タスクマネージャ"},
    {"CtPanel", "コントロールパネル"},
    {"rstrui", "システムの復元"},
    {"msinfo", "システム情報"},
    {"dfrg", "ディスク デフラグ"},
    {"DTMnEnd", "終了"},
}};

// Adds the tree of kMenuEntries to `root`; `picked` hears the name of each
// entry chosen, with `context` alive.
void addMenuEntries(QMenu& root, QObject* context, const std::function<void(const QString&)>& picked);

// The menu window: never shown itself, it carries the popup menu. It is
// made on first use and thrown away by a left click on the icon.
class FrmDTMnMenu : public QObject {
    Q_OBJECT

public:
    FrmDTMnMenu();

    QMenu& DMn() { return menu_; }

    // Never shown: "ごみ箱を空にする" presses it, and its click handler
    // empties the bin, so both ways in share one handler.
    QPushButton cmdRBinEmp{QStringLiteral("cmdRBinEmp")};

    // Opens the popup at a screen position and returns when it closes.
    void popup(const QPoint& position);

signals:
    // The user picked the entry of this name.
    void picked(const QString& entry);

private:
    QMenu menu_;
};

}  // namespace tavlo
