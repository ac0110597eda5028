#include "shell/qt/gadget_session.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QTimer>

#include <gtest/gtest.h>

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

// What the window showed each time it painted, and how far the walk was.
class PaintWatch : public QObject {
public:
    PaintWatch(GadgetSession& session, const testing::FakeUrlCache& cache) : session_(session), cache_(cache)
    {
        session.window().installEventFilter(this);
    }
    std::vector<std::pair<std::size_t, std::string>> paints;  // entries removed, the clock's text

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paints.emplace_back(cache_.removed.size(), session_.mainWindow().view.lblTime.text);
        return false;
    }

private:
    GadgetSession& session_;
    const testing::FakeUrlCache& cache_;
};

// "インターネット一時ファイルの削除" over 20,000 entries of a millisecond each:
// the refresh tick that falls due meanwhile (fired, not waited for) reaches
// the clock, which repaints long before the walk ends.
TEST_F(SessionMenuTest, TheClockRepaintsDuringALongCacheWalk)
{
    constexpr std::size_t kEntries = 20000;
    for (std::size_t i = 0; i < kEntries; ++i)
        fake.urlCache.entries.push_back("https://example.org/cache/" + std::to_string(i));
    auto* TmrN = session.findChild<QTimer*>("TmrN");
    fake.urlCache.removing = [&](const std::string&) {
        fake.ticks.advance(std::chrono::milliseconds(1));
        if (fake.urlCache.removed.size() == 1000) {
            fake.clock.moment.second = 28;
            QMetaObject::invokeMethod(TmrN, "timeout", Qt::QueuedConnection);
        }
    };
    QApplication::processEvents();  // the window's first paint
    const PaintWatch watch(session, fake.urlCache);
    session.menuPicked(MenuCommand::TIFDel);

    EXPECT_EQ(fake.urlCache.removed.size(), kEntries);
    EXPECT_EQ(fake.notifier.messages.back(), "削除しました。");
    const auto repainted = std::find_if(
        watch.paints.begin(), watch.paints.end(), [](const auto& paint) { return paint.second == "18:14:28"; });
    ASSERT_NE(repainted, watch.paints.end());
    // The tick runs at the first turn of events after it fell due (each
    // 50 entries), the paint at the next.
    EXPECT_GE(repainted->first, 1000u);
    EXPECT_LE(repainted->first, 1100u);
}

// While one long clean-up lets events run, the menu opens: the clean-ups'
// entries are greyed there, and picking one all the same (as a host that
// shows the exported menu might) starts nothing. "設定" still opens, and
// "終了" ends the program once the running one has finished.
class CleanUpWhileOneRuns : public SessionMenuTest, public ::testing::WithParamInterface<MenuCommand> {
protected:
    void SetUp() override
    {
        SessionMenuTest::SetUp();
        const auto work = [this] { fake.ticks.advance(std::chrono::milliseconds(1)); };
        for (int i = 0; i < 200; ++i)
            fake.urlCache.entries.push_back("https://example.org/" + std::to_string(i));
        fake.urlCache.removing = [work](const std::string&) { work(); };
        fake.urlHistory.during = [work](const std::function<void()>& between) {
            for (int i = 0; i < 200; ++i) {
                work();
                between();
            }
        };
        fake.recycleBin.items = 200;
        fake.recycleBin.perItem = std::chrono::milliseconds(1);
    }

    // Runs `meanwhile` at the first turn of events of the clean-up.
    void runWith(const std::function<void()>& meanwhile)
    {
        bool ran = false;
        QTimer::singleShot(0, &session, [&] {
            ran = true;
            EXPECT_TRUE(session.cleaning());
            meanwhile();
        });
        session.menuPicked(GetParam());
        EXPECT_TRUE(ran);
        EXPECT_FALSE(session.cleaning());
    }

    // What each clean-up did, in fake.
    std::vector<int> ran() const
    {
        return {fake.recycleBin.emptied, static_cast<int>(fake.urlCache.removed.size()), fake.urlHistory.cleared};
    }
    std::vector<int> once() const
    {
        switch (GetParam()) {
        case MenuCommand::Emp:
            return {1, 0, 0};
        case MenuCommand::TIFDel:
            return {0, 200, 0};
        default:
            return {0, 0, 1};
        }
    }
};

QStringList enabledCleanUps(const QMenu& menu)
{
    QStringList names;
    for (const char* name : {"Emp", "TIFDel", "DelIHstry", "FleDel"}) {
        if (auto* action = menu.findChild<QAction*>(name); action && action->isEnabled())
            names << name;
    }
    return names;
}

TEST_P(CleanUpWhileOneRuns, ASecondDoesNotStart)
{
    QStringList whileRunning;
    runWith([&] {
        auto* poll = new QTimer;
        poll->callOnTimeout([&, poll] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup)
                return;
            poll->deleteLater();
            poll->stop();
            whileRunning = enabledCleanUps(session.menu()->DMn());
            popup->close();
        });
        poll->start(0);
        session.trayMessage(kTrayRightButtonUp);
        for (MenuCommand again : {MenuCommand::Emp, MenuCommand::TIFDel, MenuCommand::DelIHstry})
            session.menuPicked(again);
    });
    EXPECT_EQ(whileRunning, QStringList{"FleDel"});
    EXPECT_EQ(ran(), once());
    EXPECT_EQ(fake.notifier.questions.size(), GetParam() == MenuCommand::Emp ? 1u : 0u);
    if (session.menu()) {  // kept after the Internet clean-ups
        EXPECT_EQ(enabledCleanUps(session.menu()->DMn()), (QStringList{"Emp", "TIFDel", "DelIHstry", "FleDel"}));
    }

    // Once it has ended, the next one starts.
    session.menuPicked(MenuCommand::DelIHstry);
    EXPECT_EQ(fake.urlHistory.cleared, once()[2] + 1);
}

TEST_P(CleanUpWhileOneRuns, SettingsOpenAndTheEndWaitsForIt)
{
    bool settings = false;
    bool ended = false;
    QObject::connect(&session, &GadgetSession::settingsRequested, [&] { settings = true; });
    QObject::connect(&session, &GadgetSession::endRequested, [&] { ended = true; });
    runWith([&] {
        session.menuPicked(MenuCommand::MntrCstmz);
        session.menuPicked(MenuCommand::DTMnEnd);
        EXPECT_TRUE(session.busy());  // the session is kept under the clean-up
    });
    EXPECT_TRUE(settings);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(session.mainWindow().view.tray.present);
    EXPECT_EQ(ran(), once());  // to its end, as emptying the bin
    if (GetParam() != MenuCommand::Emp) {
        EXPECT_EQ(fake.notifier.messages.back(), "削除しました。");
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, CleanUpWhileOneRuns,
    ::testing::Values(MenuCommand::Emp, MenuCommand::TIFDel, MenuCommand::DelIHstry), [](const auto& entry) {
        return entry.param == MenuCommand::Emp ? "Emp" : entry.param == MenuCommand::TIFDel ? "TIFDel" : "DelIHstry";
    });

}  // namespace
}  // namespace tavlo
