#include "shell/qt/tray_menu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/qt/gadget_session.h"
#include "shell/qt/gadget_window.h"
#include "shell/tray_messages.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

QStringList captions(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions()) {
        EXPECT_FALSE(action->isSeparator());
        EXPECT_FALSE(action->isCheckable());
        EXPECT_TRUE(action->shortcut().isEmpty());
        result << action->text();
    }
    return result;
}

TEST(TrayMenu, HasTheEntriesAndSubmenusInOrder)
{
    TrayMenu window;
    EXPECT_EQ(captions(window.DMn()),
        QStringList({"メモリ開放", "設定", "位置の設定", "クリーンアップ", "システム", "終了"}));
    const QMenu* cleanUp = window.DMn().actions().at(3)->menu();
    ASSERT_NE(cleanUp, nullptr);
    EXPECT_EQ(captions(*cleanUp),
        QStringList({"ごみ箱を空にする", "ディスク クリーンアップ", "最近使ったファイルの削除",
            "インターネット一時ファイルの削除", "インターネット履歴の削除", "クリップボードのクリア"}));
    const QMenu* system = window.DMn().actions().at(4)->menu();
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(captions(*system),
        QStringList({"システムのプロパティ", "タスクマネージャ", "コントロールパネル", "システムの復元", "システム情報",
            "ディスク デフラグ"}));
}

TEST(TrayMessages, LeftButtonUnloadsRightButtonPopsUp)
{
    EXPECT_EQ(trayMessageAction(0x201), TrayAction::UnloadMenu);
    EXPECT_EQ(trayMessageAction(0x202), TrayAction::UnloadMenu);
    EXPECT_EQ(trayMessageAction(0x203), TrayAction::Nothing);
    EXPECT_EQ(trayMessageAction(0x204), TrayAction::ShowPopup);
    EXPECT_EQ(trayMessageAction(0x205), TrayAction::ShowPopup);
    EXPECT_EQ(trayMessageAction(0x200), TrayAction::Nothing);
}

// Picks an entry of the popup that is about to open, by name.
void pickWhenOpen(const QString& entry)
{
    QTimer::singleShot(50, [entry] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        auto* action = popup->findChild<QAction*>(entry);
        if (!action) {
            for (QAction* candidate : popup->actions()) {
                if (candidate->objectName() == entry)
                    action = candidate;
            }
        }
        ASSERT_NE(action, nullptr) << entry.toStdString();
        popup->close();
        action->trigger();
    });
}

class SessionMenuTest : public ::testing::Test {
protected:
    testing::FakeServices fake;
    GadgetSession session{fake.services};
    void SetUp() override { ASSERT_TRUE(session.load()); }
};

TEST_F(SessionMenuTest, ExitFromTheIconMenuRemovesTheIconAndEnds)
{
    bool ended = false;
    QObject::connect(&session, &GadgetSession::endRequested, [&] { ended = true; });
    pickWhenOpen("DTMnEnd");
    session.trayMessage(WM_RBUTTONUP);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(session.form().view.tray.present);
}

TEST_F(SessionMenuTest, SetPositionGrowsTheWindowOnce)
{
    pickWhenOpen("Pstn");
    session.trayMessage(WM_RBUTTONUP);
    EXPECT_EQ(session.window().height(), 290);  // 4350 twips
    pickWhenOpen("Pstn");
    session.trayMessage(WM_RBUTTONUP);
    EXPECT_EQ(session.window().height(), 290);
}

TEST_F(SessionMenuTest, ARightClickOnTheGadgetOpensTheSameMenu)
{
    pickWhenOpen("Pstn");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), QPoint(770, 70));
    QApplication::sendEvent(&session.window(), &event);
    QApplication::processEvents();  // the popup opens once the event is handled
    EXPECT_EQ(session.window().height(), 290);
}

TEST_F(SessionMenuTest, ALeftClickUnloadsTheMenuWindow)
{
    pickWhenOpen("MemClr");
    session.trayMessage(WM_RBUTTONUP);
    ASSERT_NE(session.menu(), nullptr);
    session.trayMessage(WM_LBUTTONUP);
    EXPECT_EQ(session.menu(), nullptr);
    session.trayMessage(WM_LBUTTONDBLCLK);
    EXPECT_EQ(session.window().height(), 237);  // nothing else changed
}

TEST_F(SessionMenuTest, TheFirstTickReplacesThePlaceholders)
{
    fake.counters.values = {{1, 50}, {3, 5}, {4, 20}};
    EXPECT_EQ(session.form().view.lblCPer.text, "CPer");
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 700)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(session.form().view.lblCPer.text, "20%");
    EXPECT_EQ(session.form().view.lblDSPer.text, "50.%");
    EXPECT_NE(session.form().view.tray.tip, "Tavlo");
}

}  // namespace
}  // namespace tavlo
