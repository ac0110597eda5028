#include "shell/qt/gadget_session.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "shell/qt/gadget_window.h"
#include "shell/qt/tray_menu.h"
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

// Runs the event loop until `done` holds, for at most ten seconds.
bool spinUntil(const std::function<bool()>& done)
{
    for (int turn = 0; turn < 10000 && !done(); ++turn) {
        QApplication::processEvents(QEventLoop::AllEvents, 1);
        if (!done())
            QThread::msleep(1);
    }
    return done();
}

// Opens the popup from the icon and waits until it has closed again.
void openPopup(GadgetSession& session)
{
    session.trayMessage(kTrayRightButtonUp);
    ASSERT_TRUE(spinUntil([] { return QApplication::activePopupWidget() == nullptr; }));
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
    openPopup(session);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(session.mainWindow().view.tray.present);
}

TEST_F(SessionMenuTest, SetPositionGrowsTheWindowOnce)
{
    pickWhenOpen("Pstn");
    openPopup(session);
    EXPECT_EQ(session.window().height(), 290);  // 4350 twips
    pickWhenOpen("Pstn");
    openPopup(session);
    EXPECT_EQ(session.window().height(), 290);
}

TEST_F(SessionMenuTest, ARightClickOnTheGadgetOpensTheSameMenu)
{
    pickWhenOpen("Pstn");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), QPoint(770, 70));
    QApplication::sendEvent(&session.window(), &event);
    // The popup opens once the event is handled, and the pick comes later.
    EXPECT_TRUE(spinUntil([&] { return session.window().height() == 290; }));
}

TEST_F(SessionMenuTest, ALeftClickUnloadsTheMenuWindow)
{
    pickWhenOpen("Pstn");
    openPopup(session);
    ASSERT_NE(session.menu(), nullptr);
    session.trayMessage(kTrayLeftButtonUp);
    EXPECT_EQ(session.menu(), nullptr);
    session.trayMessage(kTrayLeftDoubleClick);
    EXPECT_EQ(session.window().height(), 290);  // nothing else changed
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

QStringList enabledLongActions(const QMenu& menu)
{
    QStringList names;
    for (const char* name : {"MemClr", "Emp", "TIFDel", "DelIHstry", "FleDel"}) {
        if (auto* action = menu.findChild<QAction*>(name); action && action->isEnabled())
            names << name;
    }
    return names;
}

// The memory release's work waits for each step to be shown; without a turn
// of the event loop it stays at its first step, under way.
TEST_F(SessionMenuTest, TheReleaseRunsBesideTheEventLoopAndATickStillReachesTheClock)
{
    session.menuPicked(MenuCommand::MemClr);
    ASSERT_EQ(session.state(), ActionState::Working);
    EXPECT_EQ(session.mainWindow().view.lblDate.text, "メモリ開放中");
    // A tick that falls due meanwhile is not the refresh's: its timers are off.
    EXPECT_FALSE(session.findChild<QTimer*>("TmrN")->isActive());
    ASSERT_TRUE(spinUntil([&] { return session.state() == ActionState::Idle; }));
    EXPECT_EQ(session.mainWindow().view.lblTime.text, "100%");
    EXPECT_EQ(session.mainWindow().view.lblDate.text, "開放完了");
    EXPECT_EQ(fake.blocks.reserved.size(), 10u);
    EXPECT_FALSE(fake.blocks.held);
    auto* TmrRS = session.findChild<QTimer*>("TmrRS");
    ASSERT_TRUE(TmrRS->isActive());
    ASSERT_TRUE(QMetaObject::invokeMethod(TmrRS, "timeout"));
    EXPECT_TRUE(session.findChild<QTimer*>("TmrN")->isActive());
}

// While one long action is under way, the long entries are greyed in the
// menu, and picking one all the same (as a host that shows the exported
// menu might) starts nothing: no question, no work. The restart timer
// starts nothing either.
TEST_F(SessionMenuTest, NoLongActionStartsWhileOneIsUnderWay)
{
    fake.recycleBin.items = 3;
    fake.urlCache.entries = {"a"};
    session.menuPicked(MenuCommand::MemClr);
    ASSERT_EQ(session.state(), ActionState::Working);
    session.trayMessage(kTrayRightButtonUp);
    ASSERT_NE(session.menu(), nullptr);
    EXPECT_EQ(enabledLongActions(session.menu()->DMn()), QStringList{"FleDel"});
    session.menu()->DMn().close();
    for (MenuCommand again : {MenuCommand::MemClr, MenuCommand::Emp, MenuCommand::TIFDel, MenuCommand::DelIHstry})
        session.menuPicked(again);
    ASSERT_TRUE(QMetaObject::invokeMethod(session.findChild<QTimer*>("TmrRS"), "timeout"));
    EXPECT_TRUE(fake.notifier.questions.empty());
    EXPECT_TRUE(fake.notifier.messages.empty());
    ASSERT_TRUE(spinUntil([&] { return session.state() == ActionState::Idle; }));
    EXPECT_EQ(fake.blocks.reserved.size(), 10u) << "one release, not two";
    EXPECT_EQ(fake.recycleBin.emptied + fake.urlHistory.cleared, 0);
    EXPECT_TRUE(fake.urlCache.removed.empty());

    // Once it has ended, the next one starts. (The restart timer unloaded
    // the menu window: it is made afresh.)
    session.trayMessage(kTrayRightButtonUp);
    ASSERT_NE(session.menu(), nullptr);
    EXPECT_EQ(enabledLongActions(session.menu()->DMn()), (QStringList{"MemClr", "Emp", "TIFDel", "DelIHstry", "FleDel"}));
    session.menu()->DMn().close();
    session.menuPicked(MenuCommand::DelIHstry);
    EXPECT_EQ(session.state(), ActionState::Asking);
}

// 終了 (or a signal, or the end of the session) while a question of a
// deleting action is open answers it "いいえ": nothing is deleted.
class QuitDuringAQuestion : public SessionMenuTest, public ::testing::WithParamInterface<MenuCommand> {};

TEST_P(QuitDuringAQuestion, DeletesNothingAndEnds)
{
    fake.recycleBin.items = 3;
    fake.urlCache.entries = {"a", "b"};
    bool ended = false;
    QObject::connect(&session, &GadgetSession::endRequested, [&] { ended = true; });
    session.menuPicked(GetParam());
    ASSERT_EQ(session.state(), ActionState::Asking);
    session.menuPicked(MenuCommand::DTMnEnd);
    EXPECT_TRUE(ended);
    EXPECT_EQ(fake.notifier.withdrawn, 1);
    fake.notifier.answerPending(true);  // too late: it was taken away
    QApplication::processEvents();
    EXPECT_EQ(fake.recycleBin.emptied + fake.urlHistory.cleared, 0);
    EXPECT_TRUE(fake.urlCache.removed.empty());
    EXPECT_FALSE(session.mainWindow().view.tray.present);
}

INSTANTIATE_TEST_SUITE_P(Entries, QuitDuringAQuestion,
    ::testing::Values(MenuCommand::Emp, MenuCommand::TIFDel, MenuCommand::DelIHstry), [](const auto& entry) {
        return entry.param == MenuCommand::Emp ? "Emp" : entry.param == MenuCommand::TIFDel ? "TIFDel" : "DelIHstry";
    });

// 終了 while the work runs stops it at its next safe point and waits for it:
// the block is given back before the program ends.
TEST_F(SessionMenuTest, QuitDuringTheWorkStopsItAndWaits)
{
    bool ended = false;
    QObject::connect(&session, &GadgetSession::endRequested, [&] { ended = true; });
    session.menuPicked(MenuCommand::MemClr);
    ASSERT_EQ(session.state(), ActionState::Working);
    session.cmdClose();
    EXPECT_TRUE(ended);
    EXPECT_LT(fake.blocks.reserved.size(), 10u);
    EXPECT_FALSE(fake.blocks.held);
}

// The answered question starts the work, and what it ends with is shown
// without waiting: the gadget is idle again at once.
TEST_F(SessionMenuTest, AnsweredYesTheCacheIsDeletedAndTheResultPosted)
{
    fake.urlCache.entries = {"a", "b"};
    session.menuPicked(MenuCommand::TIFDel);
    ASSERT_EQ(fake.notifier.messages.size(), 1u);  // the warning
    fake.notifier.answerPending(true);
    ASSERT_TRUE(spinUntil([&] { return session.state() == ActionState::Idle; }));
    EXPECT_EQ(fake.urlCache.removed, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(fake.notifier.messages.back(), "削除しました。");
}

// Emptying the bin shows its progress in a window of its own that nothing
// else waits for, and キャンセル there stops it at the next item.
TEST_F(SessionMenuTest, TheBinsProgressIsAWindowBesideTheGadgetAndCancelStops)
{
    fake.recycleBin.items = 100;
    std::atomic<bool> release{false};
    std::atomic<std::size_t> reached{0};
    fake.recycleBin.deleting = [&](std::size_t item) {
        reached = item;
        while (item == 2 && !release)
            std::this_thread::yield();
    };
    session.menuPicked(MenuCommand::Emp);
    ASSERT_EQ(fake.notifier.questions, std::vector<std::string>{"ごみ箱の 100 個の項目を完全に削除しますか?"});
    fake.notifier.answerPending(true);
    ASSERT_TRUE(spinUntil([&] { return session.binProgress() != nullptr; }));
    EXPECT_EQ(session.binProgress()->windowModality(), Qt::NonModal);
    EXPECT_EQ(session.binProgress()->value(), 1);
    auto* cancel = session.binProgress()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "キャンセル");
    cancel->click();
    release = true;
    ASSERT_TRUE(spinUntil([&] { return session.state() == ActionState::Idle; }));
    EXPECT_LE(reached, 3u) << "stopped at the next item";
    EXPECT_EQ(session.binProgress(), nullptr);
}

}  // namespace
}  // namespace tavlo
