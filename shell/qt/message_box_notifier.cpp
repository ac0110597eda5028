#include "shell/qt/message_box_notifier.h"

#include <QMessageBox>

#include "core/product.h"
#include "shell/qt/translations.h"
#include "shell/qt/tray_icon.h"

namespace tavlo {

void MessageBoxNotifier::showMessage(const std::string& text)
{
    loadJapaneseTranslations();
    QMessageBox box(QMessageBox::NoIcon, kProductName, tipText(text), QMessageBox::Ok);
    box.exec();
}

bool MessageBoxNotifier::ask(const std::string& text)
{
    loadJapaneseTranslations();
    QMessageBox box(QMessageBox::Question, kProductName, tipText(text), QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace tavlo
