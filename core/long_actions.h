#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/action_table.h"
#include "core/long_action.h"

namespace tavlo {

// What a shell does for the long actions: questions and messages that do
// not block, a call back onto its user-interface thread, repaints.
class ActionHost {
public:
    virtual ~ActionHost() = default;

    // Shows the question and returns at once; the answer comes through
    // LongActions::answer.
    virtual void ask(const Question& question) = 0;
    // Takes the open question off the screen: the program answered it.
    virtual void withdrawQuestion() = 0;
    // Shows a message and returns at once.
    virtual void tell(const std::string& text) = 0;
    // From any thread: LongActions::poll is to run on the user-interface
    // thread soon.
    virtual void wake() = 0;
    // What the window shows changed.
    virtual void repaint() = 0;
    // The state changed (the long actions' entries are greyed while one is
    // under way); a reload after 保存 that waited is due when `reloadDue`.
    virtual void stateChanged(ActionState state, bool reloadDue) = 0;
};

// The gadget's one state and the long action it carries out. Every event is
// decided by the table of `decide`; the work runs on a thread of its own, so
// the shell's event loop keeps running and no event runs inside the action.
class LongActions {
public:
    explicit LongActions(ActionHost& host);
    // Stops the work and waits for it.
    ~LongActions();
    LongActions(const LongActions&) = delete;
    LongActions& operator=(const LongActions&) = delete;

    ActionState state() const { return state_; }

    // Decides the event and does the state's part of the reaction: a
    // question answered "いいえ", the work stopped and waited for, a reload
    // remembered. The shell does the rest (starts the action on Start,
    // carries the entry out, saves, ends the program).
    Reaction react(GadgetEvent event);

    // Begins an action after Reaction::Start: its question, or its work.
    void start(std::unique_ptr<LongAction> action);

    // The user's answer to the open question.
    void answer(bool yes);

    // On the user-interface thread, after ActionHost::wake: shows the
    // progress and finishes the action whose work has returned.
    void poll();

private:
    // The work's side of the state: what it may ask of the user-interface
    // thread.
    class Control final : public JobControl {
    public:
        explicit Control(LongActions& actions) : actions_(actions) {}
        bool stopRequested() const override;
        void progressed() override;
        void showAndWait() override;

    private:
        LongActions& actions_;
    };

    void startWork();
    void stopWork();
    void enter(ActionState state);

    ActionHost& host_;
    ActionState state_ = ActionState::Idle;
    bool reloadPending_ = false;
    std::unique_ptr<LongAction> action_;

    // Shared with the work's thread.
    std::mutex mutex_;
    std::condition_variable shownChanged_;
    unsigned wanted_ = 0, shown_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> woken_{false};
    Control control_{*this};
    // Last, so that it is joined before what it uses goes.
    std::jthread worker_;
};

}  // namespace tavlo
