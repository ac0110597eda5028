#include "shell/qt/message_box_notifier.h"

#include <algorithm>

#include "core/product.h"
#include "shell/qt/translations.h"
#include "shell/qt/tray_icon.h"

namespace tavlo {
namespace {

// A box that shows and returns: it asks nothing of the other windows, and
// goes once answered.
QMessageBox* openBox(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons)
{
    loadJapaneseTranslations();
    auto* box = new QMessageBox(icon, kProductName, tipText(text), buttons);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    // In front with the keyboard, as a modal box would come: the gadget
    // that asks takes no keyboard of its own.
    box->raise();
    box->activateWindow();
    return box;
}

}  // namespace

MessageBoxNotifier::~MessageBoxNotifier()
{
    withdraw();
    for (const QPointer<QMessageBox>& box : posted_)
        delete box.data();
}

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

void MessageBoxNotifier::post(const std::string& text)
{
    std::erase_if(posted_, [](const QPointer<QMessageBox>& box) { return box.isNull(); });
    posted_.emplace_back(openBox(QMessageBox::NoIcon, text, QMessageBox::Ok));
}

void MessageBoxNotifier::askLater(const std::string& text, bool yesNo, std::function<void(bool yes)> answered)
{
    withdraw();
    question_ = openBox(yesNo ? QMessageBox::Question : QMessageBox::NoIcon, text,
        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    // Closed by its title bar's button, it answers no.
    QObject::connect(question_, &QMessageBox::finished, question_, [box = question_.data(), answered](int) {
        QAbstractButton* clicked = box->clickedButton();
        answered(clicked && (box->standardButton(clicked) & (QMessageBox::Yes | QMessageBox::Ok)) != 0);
    });
}

void MessageBoxNotifier::withdraw()
{
    if (!question_)
        return;
    question_->disconnect();
    delete question_.data();
}

}  // namespace tavlo
