#include "core/long_actions.h"

#include <system_error>
#include <utility>

namespace tavlo {

bool LongActions::Control::stopRequested() const
{
    return actions_.stop_;
}

void LongActions::Control::progressed()
{
    // One wake at a time: a fast work does not flood the event queue.
    if (!actions_.woken_.exchange(true))
        actions_.host_.wake();
}

void LongActions::Control::showAndWait()
{
    std::unique_lock lock(actions_.mutex_);
    const unsigned wanted = ++actions_.wanted_;
    lock.unlock();
    actions_.woken_ = true;
    actions_.host_.wake();
    lock.lock();
    actions_.shownChanged_.wait(lock, [&] { return actions_.shown_ >= wanted || actions_.stop_; });
}

LongActions::LongActions(ActionHost& host) : host_(host) {}

LongActions::~LongActions()
{
    stopWork();
}

Reaction LongActions::react(GadgetEvent event)
{
    const Reaction reaction = decide(state_, event);
    switch (reaction) {
    case Reaction::SaveReloadLater:
        reloadPending_ = true;
        break;
    case Reaction::AnswerNoAndEnd:
        host_.withdrawQuestion();
        action_.reset();
        state_ = ActionState::Idle;
        break;
    case Reaction::StopAndEnd:
        stopWork();
        action_.reset();
        state_ = ActionState::Idle;
        break;
    default:
        break;
    }
    return reaction;
}

void LongActions::start(std::unique_ptr<LongAction> action)
{
    if (state_ != ActionState::Idle || !action)
        return;
    action_ = std::move(action);
    if (auto question = action_->question()) {
        enter(ActionState::Asking);
        host_.ask(*question);
        return;
    }
    startWork();
}

void LongActions::answer(bool yes)
{
    if (state_ != ActionState::Asking)
        return;
    if (yes) {
        startWork();
        return;
    }
    action_.reset();
    enter(ActionState::Idle);
}

void LongActions::startWork()
{
    stop_ = false;
    finished_ = false;
    woken_ = false;
    wanted_ = shown_ = 0;
    action_->begin();
    enter(ActionState::Working);
    host_.repaint();
    try {
        worker_ = std::jthread([this] {
            action_->work(control_);
            finished_ = true;
            woken_ = true;
            host_.wake();
        });
    } catch (const std::system_error&) {
        // No thread to be had: the action ends as if its work had failed at
        // once, and says what it says then.
        finished_ = true;
        host_.wake();
    }
}

void LongActions::poll()
{
    if (state_ != ActionState::Working)
        return;
    woken_ = false;
    action_->show();
    host_.repaint();
    {
        std::lock_guard lock(mutex_);
        shown_ = wanted_;
    }
    shownChanged_.notify_all();
    if (!finished_)
        return;
    if (worker_.joinable())
        worker_.join();
    const auto outcome = action_->outcome();
    action_.reset();
    if (outcome)
        host_.tell(*outcome);
    // Last: a reload that waited may throw away the shell that owns this.
    enter(ActionState::Idle);
}

void LongActions::stopWork()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    shownChanged_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void LongActions::enter(ActionState state)
{
    state_ = state;
    const bool reloadDue = state == ActionState::Idle && std::exchange(reloadPending_, false);
    host_.stateChanged(state, reloadDue);
}

}  // namespace tavlo
