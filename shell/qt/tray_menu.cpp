#include "shell/qt/tray_menu.h"

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
        QObject::connect(action, &QAction::triggered, context, [picked, command = entry.command] { picked(command); });
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
    menu_.exec(position);
}

}  // namespace tavlo
