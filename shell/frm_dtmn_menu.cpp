#include "shell/frm_dtmn_menu.h"

namespace tavlo {
namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

FrmDTMnMenu::FrmDTMnMenu()
{
    menu_.setObjectName("DMn");
    cmdRBinEmp.setObjectName("cmdRBinEmp");
    QMenu* parent = &menu_;
    int childrenLeft = 0;
    for (const MenuEntry& entry : kMenuEntries) {
        QMenu* into = childrenLeft > 0 ? parent : &menu_;
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
        connect(action, &QAction::triggered, this, [this, name = action->objectName()] { emit picked(name); });
    }
}

void FrmDTMnMenu::popup(const QPoint& position)
{
    menu_.exec(position);
}

}  // namespace tavlo
