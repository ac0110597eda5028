#include "shell/qt/gadget_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/qt/message_box_notifier.h"
#include "shell/qt/tray_icon.h"

namespace tavlo {
namespace {

TEST(GadgetWindow, FollowsTheGeometryAndVisibilityOfTheView)
{
    GadgetView view;
    view.window = {11380, 11520.0 / 13, 3630, 3555, false, 12632246};
    GadgetWindow window(view);
    window.sync();
    EXPECT_EQ(window.size(), QSize(242, 237));
    EXPECT_EQ(window.pos(), QPoint(759, 59));  // 758.67 and 59.08 pixels, rounded
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);

    view.window.visible = true;
    view.window.left = -45;
    view.window.height = 4350;
    window.sync();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(-3, 59));  // off the screen's edge, as stored
    EXPECT_EQ(window.size(), QSize(242, 290));
}

TEST(TrayIcon, TipLinesAreSeparatedByLineFeeds)
{
    EXPECT_EQ(
        tipText("2026年12月6日 18:14 月齢24日\r CPU: 5%"), QString::fromUtf8("2026年12月6日 18:14 月齢24日\n CPU: 5%"));
}

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
