#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "core/settings_record.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

class FormLoadTest : public ::testing::Test {
protected:
    testing::FakeServices fake;
    MainWindow form{fake.services};

    // A record with the given fields set, the rest blank.
    std::string record(const SettingsStore& fields) { return encodeRecord(fields, fake.codec); }
};

TEST_F(FormLoadTest, FirstRunCreatesFolderAndEmptyFileAndTakesTheDefaults)
{
    ASSERT_EQ(form.Form_Load(), MainWindow::LoadResult::Shown);

    EXPECT_EQ(fake.files.folders, std::vector<std::string>{"/home/user1/tools/QvrnData"});
    EXPECT_EQ(form.store.Fil, "/home/user1/tools/QvrnData/user1.qvn");
    EXPECT_EQ(fake.files.files.at(form.store.Fil), "");

    // 1024 x 768 pixels: top = 11520 / 13, left = 15360 - 3630 - 350.
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.window.top), 11520.0f / 13.0f);
    EXPECT_EQ(form.view.window.left, 11380);
    EXPECT_EQ(form.view.window.width, 3630);
    EXPECT_EQ(form.view.window.height, 3555);
    EXPECT_TRUE(form.view.window.visible);
    EXPECT_EQ(form.view.window.colourKey, 12632246);

    EXPECT_EQ(form.store.BClor, "12632246");
    EXPECT_EQ(form.store.CVw, "on");
    EXPECT_EQ(form.store.MVw, "on");
    EXPECT_EQ(form.store.ClFntN, "ＭＳ Ｐゴシック");
    EXPECT_EQ(form.store.ClFntSt, "標準");
    EXPECT_EQ(form.store.txtAge, "24");  // 2009-04-19
    EXPECT_TRUE(form.view.moonVisible[24]);

    EXPECT_TRUE(form.timers.TmrN.ticking());
    EXPECT_EQ(form.timers.TmrN.intervalMs, 500);
    EXPECT_FALSE(form.timers.TmrR.ticking());
    EXPECT_FALSE(form.timers.TmrRS.ticking());
    EXPECT_TRUE(fake.notifier.messages.empty());
}

TEST_F(FormLoadTest, SetsDateFieldsClockTextsAndTheIcon)
{
    form.Form_Load();
    EXPECT_EQ(form.store.txtYY, "2009");
    EXPECT_EQ(form.store.txtMM, "4");
    EXPECT_EQ(form.store.txtDD, "19");
    EXPECT_EQ(form.store.txtFDay, "19");
    EXPECT_EQ(form.view.lblDate.text, "2009/4/19");
    EXPECT_EQ(form.view.lblTime.text, "18:14:27");
    EXPECT_TRUE(form.view.tray.present);
    EXPECT_EQ(form.view.tray.tip, "Tavlo");
    EXPECT_EQ(form.store.UName, "user1");
}

// The total memory as the captions show it: MB of 1,024,000 bytes, and the
// memory release's unit count from the full 64-bit total.
TEST_F(FormLoadTest, MemoryCaptionsUseTheFull64BitTotal)
{
    const struct {
        std::optional<MemoryFigures> figures;
        const char* total;
        const char* units;
    } rows[] = {{MemoryFigures{1073741824, 0}, "1049 (MB)", "8015962"},
        {MemoryFigures{17179869184ULL, 0}, "16777 (MB)", "128255386"}, {std::nullopt, " (MB)", ""}};
    for (const auto& row : rows) {
        fake.memory.figures = row.figures;
        MainWindow loaded(fake.services);
        loaded.Form_Load();
        EXPECT_EQ(loaded.view.lblRTotal.text, row.total);
        EXPECT_EQ(loaded.store.lblMClr, row.units);
    }
}

TEST_F(FormLoadTest, AtTheRootThePathHasADoubledSeparator)
{
    fake.session.directory = "/";
    form.Form_Load();
    EXPECT_EQ(form.store.Fil, "//QvrnData/user1.qvn");
}

TEST_F(FormLoadTest, AFileOf161BytesIsAFirstRunAnd162BytesIsLoaded)
{
    SettingsStore saved;
    saved.WTop = "1380";
    saved.WLeft = "-45";
    fake.files.files[fake.settingsPath()] = record(saved).substr(0, 161);
    form.Form_Load();
    EXPECT_EQ(form.store.ClFntSt, "標準");  // first-run value
    EXPECT_EQ(form.store.WTop, "");

    MainWindow second(fake.services);
    fake.files.files[fake.settingsPath()] = record(saved).substr(0, 162);
    second.Form_Load();
    EXPECT_EQ(second.store.WTop, "1380");
    EXPECT_EQ(second.view.window.top, 1380);
    EXPECT_EQ(second.view.window.left, -45);
    EXPECT_EQ(second.store.ClFntSt, "太字");  // filled by the layout
}

TEST_F(FormLoadTest, ASavedRecordPlacesTheWindowAndSelectsTheStatedSizeTimer)
{
    SettingsStore saved;
    saved.WTop = "2000";
    saved.WLeft = "9000";
    saved.RTUl = "3072";
    fake.files.files[fake.settingsPath()] = record(saved);
    form.Form_Load();
    EXPECT_EQ(form.view.window.top, 2000);
    EXPECT_EQ(form.view.window.left, 9000);
    EXPECT_TRUE(form.view.window.visible);
    EXPECT_TRUE(form.timers.TmrR.ticking());
    EXPECT_FALSE(form.timers.TmrN.ticking());
}

// A stored place, the screens beside the 1024 x 768 primary one, and where
// the window stands after loading (left, top in twips; the default place is
// 11380, 886.15).
struct PlaceRow {
    const char* name;
    const char* WLeft;
    const char* WTop;
    std::vector<TwipRect> others;
    double left;
    double top;
};

void PrintTo(const PlaceRow& row, std::ostream* out)
{
    *out << row.name;
}

class StoredPlaceTest : public FormLoadTest, public ::testing::WithParamInterface<PlaceRow> {};

TEST_P(StoredPlaceTest, TheWindowStartsWhereSomeScreenShowsIt)
{
    const PlaceRow& row = GetParam();
    fake.screen.others = row.others;
    SettingsStore saved;
    saved.WLeft = row.WLeft;
    saved.WTop = row.WTop;
    const std::string file = record(saved);
    fake.files.files[fake.settingsPath()] = file;
    form.Form_Load();
    EXPECT_EQ(form.view.window.left, row.left);
    EXPECT_NEAR(form.view.window.top, row.top, 0.01);
    EXPECT_EQ(form.store.WLeft, row.WLeft);  // the file keeps its place until a save
    EXPECT_EQ(fake.files.files.at(fake.settingsPath()), file);

    // "元の位置に戻す" follows the same rule.
    form.Pstn_Click();
    form.PstnMove_MouseDown(1, 0, 0);
    form.PstnMove_MouseMove(1, 300, 300);
    form.cmdFstPstn_Click();
    EXPECT_EQ(form.view.window.left, row.left);
}

const TwipRect kRightMonitor{15360, 0, 1920 * 15, 1080 * 15};

INSTANTIATE_TEST_SUITE_P(Places, StoredPlaceTest,
    ::testing::Values(PlaceRow{"OnThePrimaryScreen", "9000", "2000", {}, 9000, 2000},
        PlaceRow{"PartlyOffTheEdge", "-3000", "-45", {}, -3000, -45},
        PlaceRow{"OnAMonitorThatIsGone", "25000", "2000", {}, 11380, 886.15},
        PlaceRow{"OnTheSecondMonitor", "25000", "2000", {kRightMonitor}, 25000, 2000},
        PlaceRow{"BelowEveryScreen", "9000", "99999", {kRightMonitor}, 11380, 886.15},
        PlaceRow{"JustPastTheLeftEdge", "-3630", "2000", {}, 11380, 886.15},
        PlaceRow{"OnlyAPixelShown", "-3615", "2000", {}, 11380, 886.15},
        PlaceRow{"ThirtyTwoPixelsShown", "-3150", "2000", {}, -3150, 2000},
        PlaceRow{"HandEditedFarAway", "-1e30", "1e30", {}, 11380, 886.15}),
    [](const ::testing::TestParamInfo<PlaceRow>& row) { return row.param.name; });

TEST_F(FormLoadTest, ASecondInstanceIsRefusedWithTheMessage)
{
    fake.instance.otherRunning = true;
    EXPECT_EQ(form.Form_Load(), MainWindow::LoadResult::AlreadyRunning);
    EXPECT_EQ(fake.notifier.messages, std::vector<std::string>{"既に起動されています。"});
    EXPECT_TRUE(form.endRequested);
    EXPECT_TRUE(fake.files.folders.empty());
    EXPECT_FALSE(form.view.window.visible);
}

// A folder or file that fails or may not be used: the gadget starts with the
// first-run values, tells what failed once, and a reload that meets the same
// failure says nothing more.
struct LoadFailureRow {
    const char* name;
    std::function<void(testing::FakeServices&)> arrange;
    std::string message;
};

void PrintTo(const LoadFailureRow& row, std::ostream* out)
{
    *out << row.name;
}

class LoadFailureTest : public ::testing::TestWithParam<LoadFailureRow> {};

const std::string kFolder = "/home/user1/tools/QvrnData";
const std::string kFile = kFolder + "/user1.qvn";
const std::string kRunsOn = "\r現在の設定のまま動作を続けます。";

TEST_P(LoadFailureTest, StartsLikeAFirstRunAndSaysSoOnce)
{
    testing::FakeServices fake;
    SettingsStore saved;
    saved.WTop = "1380";
    fake.files.files[fake.settingsPath()] = encodeRecord(saved, fake.codec);
    GetParam().arrange(fake);
    MainWindow form(fake.services);
    ASSERT_EQ(form.Form_Load(), MainWindow::LoadResult::Shown);
    EXPECT_EQ(form.store.WTop, "");
    EXPECT_EQ(form.store.ClFntSt, "標準");
    EXPECT_TRUE(form.view.window.visible);
    EXPECT_TRUE(form.timers.TmrN.ticking());
    EXPECT_EQ(fake.notifier.messages, std::vector<std::string>{GetParam().message});

    MainWindow reloaded(fake.services);
    reloaded.Form_Load();
    EXPECT_EQ(fake.notifier.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Failures, LoadFailureTest,
    ::testing::Values(LoadFailureRow{"AFolderThatCannotBeMade",
                          [](testing::FakeServices& fake) {
                              fake.files.failingPaths[kFolder] = "Not a directory";
                              fake.files.failingPaths[kFile] = "Not a directory";
                          },
                          "設定フォルダを作成できませんでした。\r" + kFolder + "\rNot a directory" + kRunsOn},
        LoadFailureRow{"AnUntrustedFolder",
            [](testing::FakeServices& fake) {
                fake.files.untrustedPaths[kFolder] = "ほかのユーザーが所有しています。";
                fake.files.untrustedPaths[kFile] = "ほかのユーザーが所有しています。";
            },
            "安全のため、設定の保存場所を使用しません。\r" + kFolder + "\rほかのユーザーが所有しています。" + kRunsOn},
        LoadFailureRow{"AnUntrustedFile",
            [](testing::FakeServices& fake) { fake.files.untrustedPaths[kFile] = "ほかのユーザーが所有しています。"; },
            "安全のため、設定の保存場所を使用しません。\r" + kFile + "\rほかのユーザーが所有しています。" + kRunsOn},
        LoadFailureRow{"AnUnreadableFile",
            [](testing::FakeServices& fake) { fake.files.failingReads[kFile] = "Input/output error"; },
            "設定ファイルを読み込めませんでした。\r" + kFile + "\rInput/output error" + kRunsOn}),
    [](const ::testing::TestParamInfo<LoadFailureRow>& row) { return row.param.name; });

class SaveTest : public FormLoadTest {};

TEST_F(SaveTest, AFirstRunSaveWritesTheRecordAndThenFallsBackToSilver)
{
    form.Form_Load();
    EXPECT_TRUE(form.cmdSave());
    const std::string& written = fake.files.files.at(fake.settingsPath());
    ASSERT_EQ(written.size(), 322u);
    EXPECT_EQ(written.substr(0, 224), std::string(224, ' '));
    EXPECT_EQ(written.substr(224, 6), "on    ");
    EXPECT_EQ(written.substr(286, 30), "12632246" + std::string(22, ' '));
    EXPECT_EQ(written.substr(316, 6), std::string(6, ' '));
    EXPECT_EQ(form.store.AllClor, "12632256");

    // The fallback lives in the store until the next save writes it.
    form.cmdSave();
    EXPECT_EQ(fake.files.files.at(fake.settingsPath()).substr(14, 8), "12632256");
}

TEST_F(SaveTest, KeepsTheBytesBehindTheFirstRecord)
{
    const std::string tail = "second record and more";
    fake.files.files[fake.settingsPath()] = std::string(322, ' ') + tail;
    form.Form_Load();
    form.store.WTop = "1234";
    form.cmdSave();
    const std::string& written = fake.files.files.at(fake.settingsPath());
    EXPECT_EQ(written.substr(0, 6), "1234  ");
    EXPECT_EQ(written.substr(322), tail);
}

TEST_F(SaveTest, EveryFailedSaveIsReportedAndTheStoreKeepsItsValues)
{
    form.Form_Load();
    fake.files.failingPaths[fake.settingsPath()] = "No space left on device";
    form.store.WTop = "99";
    EXPECT_FALSE(form.cmdSave());
    ASSERT_EQ(fake.notifier.messages.size(), 1u);
    EXPECT_NE(fake.notifier.messages[0].find("設定ファイルを保存できませんでした。"), std::string::npos);
    EXPECT_NE(fake.notifier.messages[0].find("No space left on device"), std::string::npos);
    EXPECT_EQ(fake.files.files.at(fake.settingsPath()), "");
    EXPECT_EQ(form.store.WTop, "99");

    // A second save that fails the same way, after a reload or not, says so again.
    form.cmdPstnSave_Click();
    MainWindow reloaded(fake.services);
    reloaded.Form_Load();
    reloaded.cmdSave();
    const auto saveFailures = std::count_if(fake.notifier.messages.begin(), fake.notifier.messages.end(),
        [](const std::string& message) { return message.rfind("設定ファイルを保存できませんでした。", 0) == 0; });
    EXPECT_EQ(saveFailures, 3);
}

TEST_F(SaveTest, AFieldLongerThanItsWidthIsCutInTheFileButKeptInTheStore)
{
    form.Form_Load();
    form.store.WLeft = "123456789";
    form.cmdSave();
    EXPECT_EQ(fake.files.files.at(fake.settingsPath()).substr(6, 8), "12345678");
    EXPECT_EQ(form.store.WLeft, "123456789");
}

TEST(RefreshTimerTest, OneRefreshTimerRunsAfterTheRestartTick)
{
    testing::FakeServices fake;
    MainWindow form(fake.services);
    form.store.RTUl = "2048";
    form.timers.TmrRS = {true, 1000};
    form.TmrRS_Timer();
    EXPECT_TRUE(form.timers.TmrR.ticking());
    EXPECT_FALSE(form.timers.TmrN.ticking());
    EXPECT_FALSE(form.timers.TmrRS.enabled);

    form.store.RTUl = "";
    form.TmrRS_Timer();
    EXPECT_TRUE(form.timers.TmrN.ticking());
    EXPECT_FALSE(form.timers.TmrR.enabled);
}

TEST(ShutdownTest, CloseRemovesTheIconAndEndsTheProgram)
{
    testing::FakeServices fake;
    MainWindow form(fake.services);
    form.Form_Load();
    form.cmdClose();
    EXPECT_FALSE(form.view.tray.present);
    EXPECT_TRUE(form.endRequested);
}

class PositionModeTest : public ::testing::Test {
protected:
    PositionModeTest()
    {
        form.Form_Load();
        form.Pstn_Click();
    }
    testing::FakeServices fake;
    MainWindow form{fake.services};
};

TEST_F(PositionModeTest, ADragMovesTheWindowByExactlyThePointersWay)
{
    ASSERT_TRUE(form.positionMode());
    const double left = form.view.window.left;
    const double top = form.view.window.top;
    form.PstnMove_MouseDown(1, 120.5, 240.5);  // rounds to 120 and 240, ties to even
    EXPECT_EQ(form.DragStartX, 120);
    EXPECT_EQ(form.DragStartY, 240);
    form.PstnMove_MouseMove(1, 120 + 300, 240 - 45);
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.window.left), static_cast<float>(left + 300));
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.window.top), static_cast<float>(top - 45));
}

TEST_F(PositionModeTest, OnlyTheLeftButtonAloneDrags)
{
    const WindowView before = form.view.window;
    form.PstnMove_MouseDown(2, 0, 0);
    form.PstnMove_MouseMove(2, 300, 300);
    form.PstnMove_MouseDown(3, 0, 0);
    form.PstnMove_MouseMove(3, 300, 300);
    EXPECT_EQ(form.view.window, before);
}

TEST_F(PositionModeTest, ConfirmStoresAndSavesThePlaceAndLeavesTheMode)
{
    form.cmdPstnSave_Click();
    EXPECT_EQ(form.store.WLeft, "11380");
    EXPECT_EQ(form.store.WTop, "886.1539");
    EXPECT_EQ(fake.files.files.at(fake.settingsPath()).substr(0, 14), "886.1511380   ");  // cut to the fields
    EXPECT_FALSE(form.positionMode());
}

TEST_F(PositionModeTest, ReturnGoesBackToTheStoredOrDefaultPlace)
{
    form.PstnMove_MouseDown(1, 0, 0);
    form.PstnMove_MouseMove(1, -600, 900);
    form.cmdFstPstn_Click();
    EXPECT_EQ(form.view.window.left, 11380);
    EXPECT_NEAR(form.view.window.top, 886.1538, 1e-3);
    EXPECT_FALSE(form.positionMode());

    form.store.WTop = "-45";
    form.store.WLeft = "1500px";
    form.Pstn_Click();
    form.cmdFstPstn_Click();
    EXPECT_EQ(form.view.window.top, -45);
    EXPECT_EQ(form.view.window.left, 1500);
    EXPECT_EQ(fake.files.files.at(fake.settingsPath()), "");  // nothing written
}

}  // namespace
}  // namespace tavlo
