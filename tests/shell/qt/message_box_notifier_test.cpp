#include "shell/qt/message_box_notifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(MessageBoxNotifier, ShowsAModalBoxTitledTavloWithTheLines)
{
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxNotifier notifier;
    notifier.showMessage("一行目\r二行目");
    EXPECT_EQ(title, "Tavlo");
    EXPECT_EQ(text, QString::fromUtf8("一行目\n二行目"));
}

}  // namespace
}  // namespace tavlo
