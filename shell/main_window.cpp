#include "shell/main_window.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/number_text.h"
#include "core/settings_file.h"
#include "display/display_settings.h"
#include "display/layout.h"

namespace tavlo {

MainWindow::MainWindow(Services& services) : view(initialGadgetView()), services_(services) {}

MainWindow::LoadResult MainWindow::Form_Load()
{
    if (services_.instance.anotherInstanceRunning()) {
        services_.notifier.showMessage(kAlreadyRunningMessage);
        endRequested = true;
        return LoadResult::AlreadyRunning;
    }

    view.window.visible = false;
    view.window.height = kNormalHeight;
    view.window.width = kWindowWidth;
    view.window.colourKey = kLoadColourKey;

    const LocalDateTime now = services_.clock.now();
    setDateFields(now, store);
    store.txtFDay = store.txtDD;
    view.lblDate.text = services_.clock.shortDate(now);
    view.lblTime.text = services_.clock.longTime(now);

    view.tray = {true, kProductName};

    setMemoryCaptions();
    const SettingsFile file{services_.files, services_.codec, services_.failures};
    // Without a readable record the gadget starts as on a first run.
    if (openSettingsFile(file, services_.session, store) && loadSettingsRecord(file, store))
        ApplyDisplaySettings(store, view, services_.screen, now);
    else
        ApplyFirstRunDefaults(store, view, services_.screen);
    SelectRefreshTimer(!store.RTUl.empty(), timers);
    return LoadResult::Shown;
}

void MainWindow::TmrRS_Timer()
{
    SelectRefreshTimer(!store.RTUl.empty(), timers);
    timers.TmrRS.enabled = false;
}

void MainWindow::TmrN_Timer()
{
    refresh(RefreshMode::MemoryStatus);
}

void MainWindow::TmrR_Timer()
{
    refresh(RefreshMode::StatedSize);
}

void MainWindow::refresh(RefreshMode mode)
{
    view = refreshTick(std::move(view), store, labels,
        sampleTick(mode, store.CVw == "on", services_.clock, services_.memory, services_.counters), mode,
        services_.codec);
}

void MainWindow::Pstn_Click()
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

void MainWindow::PstnMove_MouseDown(int buttons, double x, double y)
{
    if (buttons != 1)
        return;
    DragStartX = dragOrigin(x);
    DragStartY = dragOrigin(y);
}

void MainWindow::PstnMove_MouseMove(int buttons, double x, double y)
{
    if (buttons != 1)
        return;
    view.window.left = static_cast<float>(view.window.left + x - DragStartX);
    view.window.top = static_cast<float>(view.window.top + y - DragStartY);
}

void MainWindow::cmdPstnSave_Click()
{
    store.WLeft = formatSingle(static_cast<float>(view.window.left));
    store.WTop = formatSingle(static_cast<float>(view.window.top));
    cmdSave();
    view.window.height = kNormalHeight;
}

void MainWindow::cmdFstPstn_Click()
{
    placeAtStoredPlace(store, services_.screen, view.window);
    view.window.height = kNormalHeight;
}

void MainWindow::Form_Unload()
{
    view.tray.present = false;
}

void MainWindow::cmdClose()
{
    view.tray.present = false;
    endRequested = true;
}

bool MainWindow::cmdSave()
{
    return saveSettingsRecord({services_.files, services_.codec, services_.failures}, store);
}

void MainWindow::setMemoryCaptions()
{
    const auto figures = services_.memory.read();
    const double total = figures ? static_cast<double>(figures->totalBytes) : 0.0;
    view.lblRTotal.text = formatWhole(total / 1024000) + " (MB)";
    store.lblMClr = formatWhole(total * 0.007465446);
}

}  // namespace tavlo
