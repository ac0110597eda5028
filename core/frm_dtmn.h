#pragma once

#include <cstdint>

#include "core/failure_reporter.h"
#include "core/settings_store.h"
#include "display/gadget_view.h"
#include "display/layout.h"
#include "platform/clock.h"
#include "platform/counter_source.h"
#include "platform/file_store.h"
#include "platform/instance_lock.h"
#include "platform/launcher.h"
#include "platform/memory_blocks.h"
#include "platform/memory_status.h"
#include "platform/recent_documents.h"
#include "platform/recycle_bin.h"
#include "platform/screen.h"
#include "platform/session_info.h"
#include "platform/text_codec.h"
#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tavlo {

inline constexpr double kTwipsPerPixel = 15;
inline constexpr double kWindowWidth = 3630;
inline constexpr double kNormalHeight = 3555;
inline constexpr double kPositionModeHeight = 4350;
inline constexpr Colour kLoadColourKey = 3347759;  // 0x33152F
inline constexpr int kRefreshIntervalMs = 500;
inline constexpr const char* kProductName = "Tavlo";
inline constexpr const char* kAlreadyRunningMessage = "既に起動されています。";
// How much of the window a screen must show, across and down, for a stored
// place to be kept: 32 pixels.
inline constexpr double kLeastShownTwips = 480;

// A window timer: it ticks only while enabled with an interval above 0.
struct Timer {
    bool enabled = false;
    int intervalMs = 0;

    bool ticking() const { return enabled && intervalMs > 0; }
};

// The services of the system that the main window uses.
struct Services {
    InstanceLock& instance;
    SessionInfo& session;
    MemoryStatus& memory;
    CounterSource& counters;
    FileStore& files;
    const TextCodec& codec;
    const Clock& clock;
    const Screen& screen;
    UserNotifier& notifier;
    FailureReporter& failures;
    // The maintenance tools.
    MemoryBlocks& blocks;
    Launcher& launcher;
    RecentDocuments& recentDocuments;
    RecycleBin& recycleBin;
    UrlCache& urlCache;
    UrlHistory& urlHistory;
};

// The main window frmDTMn without its pixels: the settings store, what the
// window shows, its timers and the handlers that change them. The shell
// paints `view` and runs the timers that `timers` describes.
class FrmDTMn {
public:
    enum class LoadResult { Shown, AlreadyRunning };

    explicit FrmDTMn(Services& services);

    LoadResult Form_Load();
    void ApplyFirstRunDefaults();
    void LoadSettingsFile();
    void TrimSettings();
    void SelectRefreshTimer();
    void TmrRS_Timer();
    void Form_Unload();
    void cmdClose();
    bool cmdSave();
    void ApplyColourKey(Colour key);
    void TmrN_Timer();
    void TmrR_Timer();

    // "位置の設定": the window grows to uncover the position strip.
    void Pstn_Click();
    bool positionMode() const { return view.window.height == kPositionModeHeight; }

    // The drag handle of the position strip. `buttons` is the set of pressed
    // buttons (1 left, 2 right, 4 middle); x and y are twips from the
    // handle's corner.
    void PstnMove_MouseDown(int buttons, double x, double y);
    void PstnMove_MouseMove(int buttons, double x, double y);
    // "決定": keep the place and save it.
    void cmdPstnSave_Click();
    // "元の位置に戻す": back to the stored or the default place.
    void cmdFstPstn_Click();

    // The place in WTop and WLeft, or the default place where either is
    // empty or where the window would be on no screen.
    void placeAtStoredPlace();

    // The default position: top = screen height / 13, left = screen width −
    // window width − 350, in twips.
    double defaultTop() const;
    double defaultLeft() const;

    // txtYY, txtMM and txtDD from the date of `today`.
    void setDateFields(const LocalDateTime& today);

    Services& services() { return services_; }

    SettingsStore store;
    GadgetView view;
    Timer TmrN, TmrR, TmrRS;
    // Working labels outside the visible area: the processor, disk-time and
    // free-space values that one refresh tick hands to the next.
    std::string lblC = "C", lblD = "D", lblDs = "DS";
    // Where the pointer took hold of the drag handle, in twips.
    std::int16_t DragStartX = 0, DragStartY = 0;
    bool endRequested = false;

private:
    void setMemoryCaptions();

    Services& services_;
};

}  // namespace tavlo
