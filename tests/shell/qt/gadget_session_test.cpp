#include "shell/qt/gadget_session.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/qt/gadget_window.h"
#include "shell/tray_messages.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

TEST(GadgetSession, LoadShowsThePlacedWindow)
{
    testing::FakeServices fake;
    GadgetSession session(fake.services);
    ASSERT_TRUE(session.load());
    EXPECT_TRUE(session.window().isVisible());
    EXPECT_EQ(session.window().geometry(), QRect(759, 59, 242, 237));
}

TEST(GadgetSession, ARefusedLoadShowsNoWindowAndAsksToEnd)
{
    testing::FakeServices fake;
    fake.instance.otherRunning = true;
    GadgetSession session(fake.services);
    EXPECT_FALSE(session.load());
    EXPECT_FALSE(session.window().isVisible());
    EXPECT_EQ(fake.notifier.messages, std::vector<std::string>{"既に起動されています。"});
}

TEST(GadgetSession, CloseRemovesTheIconAndRequestsTheEnd)
{
    testing::FakeServices fake;
    GadgetSession session(fake.services);
    session.load();
    bool ended = false;
    QObject::connect(&session, &GadgetSession::endRequested, [&] { ended = true; });
    session.cmdClose();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(session.mainWindow().view.tray.present);
}

// Picks an entry of the popup by name, as soon as the popup is open.
void pickWhenOpen(const QString& entry)
{
    auto* poll = new QTimer;
    poll->callOnTimeout([poll, entry] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        poll->deleteLater();
        poll->stop();
        QAction* action = nullptr;
        for (QAction* candidate : popup->actions()) {
            if (candidate->objectName() == entry)
                action = candidate;
        }
        ASSERT_NE(action, nullptr) << entry.toStdString();
        popup->close();
        action->trigger();
    });
    poll->start(0);
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
    session.trayMessage(kTrayRightButtonUp);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(session.mainWindow().view.tray.present);
}

TEST_F(SessionMenuTest, SetPositionGrowsTheWindowOnce)
{
    pickWhenOpen("Pstn");
    session.trayMessage(kTrayRightButtonUp);
    EXPECT_EQ(session.window().height(), 290);  // 4350 twips
    pickWhenOpen("Pstn");
    session.trayMessage(kTrayRightButtonUp);
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
    session.trayMessage(kTrayRightButtonUp);
    ASSERT_NE(session.menu(), nullptr);
    session.trayMessage(kTrayLeftButtonUp);
    EXPECT_EQ(session.menu(), nullptr);
    session.trayMessage(kTrayLeftDoubleClick);
    EXPECT_EQ(session.window().height(), 237);  // nothing else changed
}

// The refresh timer runs at 500 ms and its tick reaches the window; the tick
// is fired here rather than waited for.
TEST_F(SessionMenuTest, TheFirstTickReplacesThePlaceholders)
{
    fake.counters.values = {{1, 50}, {3, 5}, {4, 20}};
    EXPECT_EQ(session.mainWindow().view.lblCPer.text, "CPer");
    auto* TmrN = session.findChild<QTimer*>("TmrN");
    ASSERT_NE(TmrN, nullptr);
    EXPECT_TRUE(TmrN->isActive());
    EXPECT_EQ(TmrN->interval(), 500);
    EXPECT_FALSE(session.findChild<QTimer*>("TmrR")->isActive());
    ASSERT_TRUE(QMetaObject::invokeMethod(TmrN, "timeout"));
    EXPECT_EQ(session.mainWindow().view.lblCPer.text, "20%");
    EXPECT_EQ(session.mainWindow().view.lblDSPer.text, "50.%");
    EXPECT_NE(session.mainWindow().view.tray.tip, "Tavlo");
}

}  // namespace
}  // namespace tavlo
