#include "setup/qt/settings_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "core/settings_record.h"
#include "setup/qt/pickers.h"
#include "shell/qt/gadget_app.h"
#include "shell/qt/gadget_session.h"
#include "shell/qt/gadget_window.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

// Pickers that give the answers a test queued, and note what they were asked.
struct FakePickers final : Pickers {
    std::deque<std::optional<Colour>> colours;
    std::deque<std::optional<FontChoice>> fonts;
    std::vector<Colour> colourPresets;
    std::vector<std::pair<std::string, int>> fontPresets;

    std::optional<Colour> pickColour(Colour initial, QWidget*) override
    {
        colourPresets.push_back(initial);
        auto answer = colours.front();
        colours.pop_front();
        return answer;
    }
    std::optional<FontChoice> pickFont(const std::string& face, int pointSize, QWidget*) override
    {
        fontPresets.emplace_back(face, pointSize);
        auto answer = fonts.front();
        fonts.pop_front();
        return answer;
    }
};

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.start());
        app.openSettings();
        ASSERT_NE(app.setup(), nullptr);
    }

    SettingsDialog& dialog() { return *app.setup(); }
    template <typename T = QAbstractButton> T* control(const char* name)
    {
        auto* found = dialog().findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void pick(const char* row, std::optional<Colour> colour)
    {
        pickers.colours.push_back(colour);
        control<QPushButton>((std::string("browse-") + row).c_str())->click();
    }
    std::string settingsFile() { return fake.files.files[fake.settingsPath()]; }

    testing::FakeServices fake;
    FakePickers pickers;
    GadgetApp app{fake.services, pickers};
};

TEST_F(SettingsDialogTest, IsTheFixedWhiteWindowTitled設定)
{
    EXPECT_EQ(dialog().windowTitle(), "設定");
    EXPECT_EQ(dialog().size(), QSize(561, 352));
    EXPECT_EQ(dialog().minimumSize(), dialog().maximumSize());
    EXPECT_FALSE(dialog().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dialog().palette().color(QPalette::Window), QColor(Qt::white));
    // The middle of a 1024 x 768 screen, by the outer frame (Qt's offscreen
    // windows have one).
    const QRect frame = dialog().frameGeometry();
    EXPECT_GT(frame.width(), 561);
    EXPECT_EQ(frame.topLeft(), QPoint(512 - frame.width() / 2, 384 - frame.height() / 2));
}

// Where the ten-away step turns (below 15) is pinned with the dialog's state;
// here the buttons reach it.
TEST_F(SettingsDialogTest, TheTimeAndCommonColoursMoveTheTransparencyAndItemColoursDoNot)
{
    pick("all", 16711685);
    EXPECT_EQ(dialog().state().BClor, "16711675");
    control("Check2")->click();
    pick("time", 15);
    EXPECT_EQ(pickers.colourPresets.back(), 255);  // the picker starts on red
    EXPECT_EQ(dialog().state().BClor, "5");
    for (const char* row : {"date", "c", "r", "d", "ds"})
        pick(row, 255);
    EXPECT_EQ(dialog().state().BClor, "5");
    EXPECT_EQ(dialog().state().AllClor, "");  // switching modes lost it
}

TEST_F(SettingsDialogTest, TheItemButtonsWorkOnlyInTheirMode)
{
    EXPECT_TRUE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(control<QPushButton>("browse-c")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("browse-all")->isEnabled());
    control("Check2")->click();
    EXPECT_TRUE(control<QPushButton>("browse-c")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("browse-all")->isEnabled());
    control("Check2")->click();  // clicking the checked box keeps it checked
    EXPECT_TRUE(control<QCheckBox>("Check2")->isChecked());
}

TEST_F(SettingsDialogTest, SavingStoresTheColoursAndRestartsWithThem)
{
    const QPointer<GadgetSession> before = &app.session();
    control<QPushButton>("Command6")->click();
    // All-items mode without a colour stores silver.
    EXPECT_EQ(settingsFile().substr(14, 30), "12632256" + std::string(22, ' '));
    EXPECT_TRUE(before.isNull());  // a fresh main window
    EXPECT_EQ(app.session().mainWindow().store.AllClor, "12632256");
    EXPECT_TRUE(app.session().mainWindow().view.tray.present);
    EXPECT_TRUE(app.session().window().isVisible());
    ASSERT_NE(app.setup(), nullptr);  // the dialog stays open
    EXPECT_TRUE(dialog().isVisible());

    pick("all", 255);
    control<QPushButton>("Command6")->click();
    EXPECT_EQ(app.session().mainWindow().view.lblCPer.colour, 255);
    EXPECT_EQ(app.session().mainWindow().view.window.colourKey, 245);
}

// "保存" is pressed while a long action is under way: its question open, or
// its work running.
class SaveDuringAnAction : public SettingsDialogTest, public ::testing::WithParamInterface<MenuCommand> {};

TEST_P(SaveDuringAnAction, RestartsTheMainWindowOnceTheActionHasEnded)
{
    fake.recycleBin.items = 4;
    fake.urlCache.entries = {"a", "b", "c", "d"};
    pick("all", 255);
    const QPointer<GadgetSession> before = &app.session();
    before->menuPicked(GetParam());
    ASSERT_NE(before->state(), ActionState::Idle);
    control<QPushButton>("Command6")->click();
    ASSERT_FALSE(before.isNull());                   // the busy main window lives on
    EXPECT_EQ(settingsFile().substr(14, 3), "255");  // saved at once all the same
    fake.notifier.answerPending(true);
    for (int turn = 0; turn < 10000 && before; ++turn) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::msleep(1);
    }
    ASSERT_TRUE(before.isNull()) << "reloaded once the action had ended";
    // The action ran to its end first.
    if (GetParam() == MenuCommand::MemClr) {
        EXPECT_EQ(fake.blocks.reserved.size(), 10u);
    } else {
        EXPECT_EQ(fake.recycleBin.emptied + static_cast<int>(fake.urlCache.removed.size()) + fake.urlHistory.cleared,
            GetParam() == MenuCommand::TIFDel ? 4 : 1);
    }
    EXPECT_EQ(app.session().mainWindow().view.lblCPer.colour, 255);
    EXPECT_EQ(settingsFile().substr(14, 3), "255");
}

INSTANTIATE_TEST_SUITE_P(Entries, SaveDuringAnAction,
    ::testing::Values(MenuCommand::MemClr, MenuCommand::Emp, MenuCommand::TIFDel, MenuCommand::DelIHstry),
    [](const auto& entry) {
        switch (entry.param) {
        case MenuCommand::MemClr:
            return "MemClr";
        case MenuCommand::Emp:
            return "Emp";
        case MenuCommand::TIFDel:
            return "TIFDel";
        default:
            return "DelIHstry";
        }
    });

TEST_F(SettingsDialogTest, CancelAndCloseLeaveTheSettingsFileByteForByte)
{
    SettingsStore saved;
    saved.WTop = "1500";
    saved.CClor = "65280";
    fake.files.files[fake.settingsPath()] = encodeRecord(saved, fake.codec) + "tail";
    GadgetApp reloaded(fake.services, pickers);
    ASSERT_TRUE(reloaded.start());
    const std::string before = settingsFile();
    for (const char* button : {"Command5", "cmdUnld"}) {
        reloaded.openSettings();
        SettingsDialog* open = reloaded.setup();
        ASSERT_NE(open, nullptr);
        open->findChild<QCheckBox*>("Check1")->click();
        pickers.colours.push_back(255);
        open->findChild<QPushButton*>("browse-all")->click();
        open->findChild<QPushButton*>(button)->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(reloaded.setup(), nullptr) << button;
        EXPECT_EQ(settingsFile(), before) << button;
        EXPECT_EQ(reloaded.session().mainWindow().store.CClor, "65280");
    }
}

// Runs the event loop for `ms` milliseconds, or until `done` holds.
bool spinFor(int ms, const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

TEST_F(SettingsDialogTest, ANewProcessForTheIconWaitsUntilTheUserIsInTheMiddleOfNothing)
{
    bool ended = false;
    QObject::connect(&app, &GadgetApp::endRequested, [&] { ended = true; });
    const auto endsWithin = [&](int ms) { return spinFor(ms, [&] { return ended; }); };
    emit app.session().newProcessNeeded(true);
    EXPECT_FALSE(endsWithin(1300)) << "the open dialog was thrown away";

    MainWindow& window = app.session().mainWindow();
    window.Pstn_Click();
    control<QPushButton>("cmdUnld")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(endsWithin(1300)) << "the place being set was thrown away";

    // The desktop went back to the kind of area this process serves.
    emit app.session().newProcessNeeded(false);
    window.cmdPstnSave_Click();
    EXPECT_FALSE(endsWithin(1300)) << "started again for an area that came back";

    QMessageBox message;
    message.show();
    emit app.session().newProcessNeeded(true);
    EXPECT_FALSE(endsWithin(1300)) << "a message was thrown away unread";
    message.close();
    EXPECT_TRUE(endsWithin(3000));
    EXPECT_TRUE(app.startsAgain());
}

TEST_F(SettingsDialogTest, AQuitAfterTheDecisionToStartAgainEndsForGood)
{
    control<QPushButton>("cmdUnld")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    emit app.session().newProcessNeeded(true);
    EXPECT_TRUE(app.startsAgain());
    app.cmdClose();
    EXPECT_FALSE(app.startsAgain());
}

TEST_F(SettingsDialogTest, ASecondOpeningKeepsTheUnsavedEdits)
{
    pick("all", 255);
    SettingsDialog* first = app.setup();
    app.openSettings();
    EXPECT_EQ(app.setup(), first);
    EXPECT_EQ(dialog().state().AllClor, "255");
}

TEST_F(SettingsDialogTest, ABoldItalicFontOfAnySizeStoresFaceAndStyleWords)
{
    pickers.fonts.push_back(FontChoice{"IPAGothic", true, true});
    control("Command17")->click();
    EXPECT_EQ(pickers.fontPresets.back().first, "ＭＳ Ｐゴシック");
    EXPECT_EQ(pickers.fontPresets.back().second, 9);
    EXPECT_EQ(dialog().state().ClFntN, "IPAGothic");
    EXPECT_EQ(dialog().state().ClFntSt, "太字 斜体");
    pickers.fonts.push_back(std::nullopt);
    control("Command17")->click();
    EXPECT_EQ(dialog().state().ClFntSt, "太字 斜体");
}

TEST_F(SettingsDialogTest, TheCombosWriteOnAndOffAndTypedTextChangesNothing)
{
    auto* clock = control<QComboBox>("cboCVw");
    auto* moon = control<QComboBox>("cboMVw");
    EXPECT_EQ(clock->currentText(), "表示");
    clock->lineEdit()->setText("abc");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(clock->lineEdit(), &enter);
    clock->lineEdit()->setText("非表示");
    QApplication::sendEvent(clock->lineEdit(), &enter);
    EXPECT_EQ(dialog().state().CVw, "on");
    EXPECT_EQ(clock->count(), 2);

    for (QComboBox* combo : {clock, moon}) {
        combo->setCurrentIndex(1);
        emit combo->activated(1);
    }
    EXPECT_EQ(dialog().state().CVw, "off");
    EXPECT_EQ(dialog().state().MVw, "off");
    clock->setCurrentIndex(0);
    emit clock->activated(0);
    EXPECT_EQ(dialog().state().CVw, "on");
}

TEST_F(SettingsDialogTest, TheHelpLinkShowsTheFiveLineMessage)
{
    auto* link = control<QLabel>("Label30");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QMouseEvent release(
        QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(link, &release);
    ASSERT_EQ(fake.notifier.messages.size(), 1u);
    EXPECT_EQ(fake.notifier.messages[0], memoryHelpMessage());
}

}  // namespace
}  // namespace tavlo
