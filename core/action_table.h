#pragma once

namespace tavlo {

// The gadget is idle, or carries out one long action: first its question,
// then its work.
enum class ActionState { Idle, Asking, Working };

// What reaches the gadget from outside while it is in one of those states.
enum class GadgetEvent {
    // A menu entry of a long action: メモリ開放, ごみ箱を空にする,
    // インターネット一時ファイルの削除, インターネット履歴の削除.
    LongPick,
    // Any other entry but 終了.
    ShortPick,
    // The settings dialog's 保存, which reloads the main window.
    Save,
    // 終了, SIGTERM, SIGHUP, SIGINT, the end of the session.
    Quit,
    // The tick of TmrRS after a memory release.
    RestartTimer,
};

// What the gadget does with an event.
enum class Reaction {
    Start,            // the long action begins
    Refuse,           // another is under way: nothing happens
    CarryOut,         // done at once, as when idle
    SaveAndReload,    // the file is written and the main window reloads now
    SaveReloadLater,  // the file is written now, the reload waits for idle
    End,              // the program ends now
    AnswerNoAndEnd,   // the question is answered "いいえ"; then the end
    StopAndEnd,       // the work stops at its next safe point and is waited for; then the end
    HandBackDisplay,  // the refresh timer runs again; nothing else restarts
};

// The one table that decides every event against the gadget's state.
Reaction decide(ActionState state, GadgetEvent event);

}  // namespace tavlo
