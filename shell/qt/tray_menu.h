#pragma once

#include <QMenu>
#include <QPushButton>

#include <functional>

#include "shell/menu_entries.h"

namespace tavlo {

// Adds the tree of kMenuEntries to `root`; `picked` hears the command of
// each entry chosen, with `context` alive.
void addMenuEntries(QMenu& root, QObject* context, const std::function<void(MenuCommand)>& picked);

// Greys, or brings back, the entries of the long actions in a
// menu made by addMenuEntries.
void enableLongActions(const QMenu& root, bool enabled);

// The menu window: never shown itself, it carries the popup menu. It is
// made on first use and thrown away by a left click on the icon.
class TrayMenu : public QObject {
    Q_OBJECT

public:
    TrayMenu();

    QMenu& DMn() { return menu_; }

    // Never shown: "ごみ箱を空にする" presses it, and its click handler
    // empties the bin, so both ways in share one handler.
    QPushButton cmdRBinEmp{QStringLiteral("cmdRBinEmp")};

    // Opens the popup at a screen position; a choice arrives as picked().
    void popup(const QPoint& position);

signals:
    // The user picked an entry.
    void picked(tavlo::MenuCommand command);

private:
    QMenu menu_;
};

}  // namespace tavlo
