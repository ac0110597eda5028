#include "shell/qt/tray_menu.h"

#include <QAction>

#include "shell/maintenance.h"

namespace tavlo {
namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

void addMenuEntries(QMenu& root, QObject* context, const std::function<void(MenuCommand)>& picked)
{
    QMenu* parent = &root;
    int childrenLeft = 0;
    for (const MenuEntry& entry : kMenuEntries) {
        QMenu* into = childrenLeft > 0 ? parent : &root;
        if (childrenLeft > 0)
            --childrenLeft;
        if (entry.children > 0) {
            parent = into->addMenu(text(entry.caption));
            parent->setObjectName(text(entry.name));
            childrenLeft = entry.children;
            continue;
        }
        QAction* action = into->addAction(text(entry.caption));
        action->setObjectName(text(entry.name));
        action->setData(static_cast<int>(entry.command));
        QObject::connect(action, &QAction::triggered, context, [picked, command = entry.command] { picked(command); });
    }
}

void enableLongActions(const QMenu& root, bool enabled)
{
    for (QAction* action : root.findChildren<QAction*>()) {
        if (runsLong(static_cast<MenuCommand>(action->data().toInt())))
            action->setEnabled(enabled);
    }
}

TrayMenu::TrayMenu()
{
    menu_.setObjectName("DMn");
    cmdRBinEmp.setObjectName("cmdRBinEmp");
    addMenuEntries(menu_, this, [this](MenuCommand command) { emit picked(command); });
}

void TrayMenu::popup(const QPoint& position)
{
    // Shown, not run: the choice comes back through the event loop.
    menu_.popup(position);
}

}  // namespace tavlo
