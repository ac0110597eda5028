#include "core/frm_dtmn.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/number_text.h"
#include "core/settings_record.h"
#include "display/display_settings.h"
#include "display/moon_age.h"
#include "monitor/refresh_tick.h"

namespace tavlo {

FrmDTMn::FrmDTMn(Services& services) : view(initialGadgetView()), services_(services) {}

FrmDTMn::LoadResult FrmDTMn::Form_Load()
{
    if (services_.instance.anotherInstanceRunning()) {
        services_.notifier.showMessage(kAlreadyRunningMessage);
        endRequested = true;
        return LoadResult::AlreadyRunning;
    }

    view.window.visible = false;
    view.window.height = kNormalHeight;
    view.window.width = kWindowWidth;
    ApplyColourKey(kLoadColourKey);

    const LocalDateTime now = services_.clock.now();
    setDateFields(now);
    store.txtFDay = store.txtDD;
    view.lblDate.text = services_.clock.shortDate(now);
    view.lblTime.text = services_.clock.longTime(now);

    view.tray = {true, kProductName};

    const std::string directory = services_.session.currentDirectory();
    const char sep = services_.session.separator();
    const std::string folder = directory + sep + "QvrnData";
    const IoStatus folderStatus = services_.files.ensureFolder(folder);
    if (!folderStatus.ok)
        services_.failures.report(
            folderStatus.untrusted ? FileTask::Untrusted : FileTask::CreateFolder, folder, folderStatus.reason);

    store.UName = services_.session.userName();
    setMemoryCaptions();
    store.Fil = folder + sep + store.UName + ".qvn";

    std::uint64_t length = 0;
    // A folder that could not be made was reported already; its file cannot open either.
    const IoStatus openStatus = services_.files.openOrCreate(store.Fil, length);
    if (!openStatus.ok && folderStatus.ok)
        services_.failures.report(
            openStatus.untrusted ? FileTask::Untrusted : FileTask::OpenFile, store.Fil, openStatus.reason);

    if (!openStatus.ok || recordCount(length) < 1) {
        ApplyFirstRunDefaults();
    } else {
        services_.files.clearReadOnly(store.Fil);
        LoadSettingsFile();
    }
    return LoadResult::Shown;
}

void FrmDTMn::ApplyFirstRunDefaults()
{
    view.window.top = defaultTop();
    view.window.left = defaultLeft();
    const Colour key = view.lblTime.colour - 10;
    store.BClor = std::to_string(key);
    ApplyColourKey(key);
    store.CVw = "on";
    store.MVw = "on";
    store.ClFntN = "ＭＳ Ｐゴシック";
    store.ClFntSt = "標準";
    CalcMoonAge(store, view);
    view.window.visible = true;
    TmrN.enabled = true;
    TmrN.intervalMs = kRefreshIntervalMs;
}

void FrmDTMn::LoadSettingsFile()
{
    std::string bytes;
    const IoStatus status = services_.files.read(store.Fil, 0, kRecordSize, bytes);
    if (!status.ok) {
        // Without a readable record the gadget starts as on a first run.
        services_.failures.report(FileTask::ReadFile, store.Fil, status.reason);
        ApplyFirstRunDefaults();
        return;
    }
    decodeRecord(bytes, services_.codec, store);
    TrimSettings();
}

void FrmDTMn::TrimSettings()
{
    trimPersistedFields(store);
    ApplyDisplaySettings(*this);
}

void FrmDTMn::SelectRefreshTimer()
{
    if (store.RTUl.empty()) {
        TmrR.enabled = false;
        TmrN.enabled = true;
        TmrN.intervalMs = kRefreshIntervalMs;
    } else {
        TmrN.enabled = false;
        TmrR.enabled = true;
        TmrR.intervalMs = kRefreshIntervalMs;
    }
}

void FrmDTMn::TmrRS_Timer()
{
    SelectRefreshTimer();
    TmrRS.enabled = false;
}

void FrmDTMn::TmrN_Timer()
{
    refreshTick(*this, RefreshMode::MemoryStatus);
}

void FrmDTMn::TmrR_Timer()
{
    refreshTick(*this, RefreshMode::StatedSize);
}

void FrmDTMn::Pstn_Click()
{
    view.window.height = kPositionModeHeight;
}

namespace {

// Twips rounded to a whole number, ties to even, as a 16-bit value.
std::int16_t dragOrigin(double twips)
{
    const double rounded = std::nearbyint(twips);
    return static_cast<std::int16_t>(std::clamp(rounded, -32768.0, 32767.0));
}

}  // namespace

void FrmDTMn::PstnMove_MouseDown(int buttons, double x, double y)
{
    if (buttons != 1)
        return;
    DragStartX = dragOrigin(x);
    DragStartY = dragOrigin(y);
}

void FrmDTMn::PstnMove_MouseMove(int buttons, double x, double y)
{
    if (buttons != 1)
        return;
    view.window.left = static_cast<float>(view.window.left + x - DragStartX);
    view.window.top = static_cast<float>(view.window.top + y - DragStartY);
}

void FrmDTMn::cmdPstnSave_Click()
{
    store.WLeft = formatSingle(static_cast<float>(view.window.left));
    store.WTop = formatSingle(static_cast<float>(view.window.top));
    cmdSave();
    view.window.height = kNormalHeight;
}

void FrmDTMn::cmdFstPstn_Click()
{
    placeAtStoredPlace();
    view.window.height = kNormalHeight;
}

void FrmDTMn::placeAtStoredPlace()
{
    WindowView& window = view.window;
    window.top = store.WTop.empty() ? defaultTop() : leadingNumberValue(store.WTop);
    window.left = store.WLeft.empty() ? defaultLeft() : leadingNumberValue(store.WLeft);
    // A place on a monitor that is gone, or typed into the file, would hide
    // the gadget and its position strip: unless a screen shows enough of it
    // to find and take hold of, it starts at the default place, and the file
    // keeps the stored one until the user saves another.
    const auto shows = [&](const TwipRect& screen) {
        const double across
            = std::min(window.left + window.width, screen.left + screen.width) - std::max(window.left, screen.left);
        const double down
            = std::min(window.top + window.height, screen.top + screen.height) - std::max(window.top, screen.top);
        return across >= kLeastShownTwips && down >= kLeastShownTwips;
    };
    const std::vector<TwipRect> screens = services_.screen.screens();
    if (std::none_of(screens.begin(), screens.end(), shows)) {
        window.top = defaultTop();
        window.left = defaultLeft();
    }
}

void FrmDTMn::Form_Unload()
{
    view.tray.present = false;
}

void FrmDTMn::cmdClose()
{
    view.tray.present = false;
    endRequested = true;
}

bool FrmDTMn::cmdSave()
{
    const std::string& path = store.Fil;
    // Bytes behind record 1 belong to nobody we know of; they are kept.
    std::string tail;
    IoStatus status = services_.files.read(path, kRecordSize, std::numeric_limits<std::size_t>::max(), tail);
    if (status.ok)
        status = services_.files.replace(path, encodeRecord(store, services_.codec) + tail);
    if (!status.ok)
        services_.failures.report(FileTask::SaveFile, path, status.reason);

    if (allColourFieldsEmpty(store))
        store.AllClor = std::to_string(kSilver);
    return status.ok;
}

void FrmDTMn::ApplyColourKey(Colour key)
{
    view.window.colourKey = key;
}

double FrmDTMn::defaultTop() const
{
    return static_cast<float>(services_.screen.primarySize().height) / 13.0f;
}

double FrmDTMn::defaultLeft() const
{
    return services_.screen.primarySize().width - view.window.width - 350;
}

void FrmDTMn::setDateFields(const LocalDateTime& today)
{
    store.txtYY = std::to_string(today.year);
    store.txtMM = std::to_string(today.month);
    store.txtDD = std::to_string(today.day);
}

void FrmDTMn::setMemoryCaptions()
{
    const auto figures = services_.memory.read();
    const double total = figures ? static_cast<double>(figures->totalBytes) : 0.0;
    view.lblRTotal.text = formatWhole(total / 1024000) + " (MB)";
    store.lblMClr = formatWhole(total * 0.007465446);
}

}  // namespace tavlo
