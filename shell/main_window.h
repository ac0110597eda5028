#pragma once

#include <cstdint>
#include <string_view>

#include "core/failure_reporter.h"
#include "core/product.h"
#include "core/settings_store.h"
#include "core/timers.h"
#include "display/gadget_view.h"
#include "display/window_place.h"
#include "monitor/refresh_tick.h"
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
#include "platform/tool_programs.h"
#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace tavlo {

inline constexpr Colour kLoadColourKey = 3347759;  // 0x33152F
inline constexpr const char* kAlreadyRunningMessage = "既に起動されています。";

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
    const ToolPrograms& toolPrograms;
    RecentDocuments& recentDocuments;
    RecycleBin& recycleBin;
    UrlCache& urlCache;
    UrlHistory& urlHistory;
};

// The main window frmDTMn without its pixels: the settings store, what the
// window shows, its timers and the handlers that change them. A shell paints
// `view` and runs the timers that `timers` describes.
class MainWindow {
public:
    enum class LoadResult { Shown, AlreadyRunning };

    explicit MainWindow(Services& services);

    LoadResult Form_Load();
    void TmrRS_Timer();
    void Form_Unload();
    void cmdClose();
    bool cmdSave();
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

    SettingsStore store;
    GadgetView view;
    MainTimers timers;
    WorkingLabels labels;
    // Where the pointer took hold of the drag handle, in twips.
    std::int16_t DragStartX = 0, DragStartY = 0;
    bool endRequested = false;

private:
    void setMemoryCaptions();
    void refresh(RefreshMode mode);

    Services& services_;
};

}  // namespace tavlo
