#include "core/long_actions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <memory>
#include <string>
#include <vector>

namespace tavlo {
namespace {

// A shell that polls only when the test says so.
struct FakeHost final : ActionHost {
    std::vector<std::string> asked, told;
    int withdrawn = 0, repaints = 0, reloads = 0;
    std::atomic<int> wakes{0};
    std::vector<ActionState> states;
    void ask(const Question& question) override { asked.push_back(question.text); }
    void withdrawQuestion() override { ++withdrawn; }
    void tell(const std::string& text) override { told.push_back(text); }
    void wake() override { ++wakes; }
    void repaint() override { ++repaints; }
    void stateChanged(ActionState state, bool reloadDue) override
    {
        states.push_back(state);
        reloads += reloadDue ? 1 : 0;
    }
};

// An action of `steps` steps, each shown before the next; what it did.
struct Record {
    std::atomic<int> stepsDone{0};
    std::atomic<bool> stopped{false};
    int begun = 0, shown = 0;
};

class SteppedAction final : public LongAction {
public:
    SteppedAction(Record& record, bool asks, int steps) : record_(record), asks_(asks), steps_(steps) {}
    std::optional<Question> question() override
    {
        return asks_ ? std::optional<Question>(Question{"Delete?"}) : std::nullopt;
    }
    void begin() override { ++record_.begun; }
    void work(JobControl& control) override
    {
        for (int step = 0; step < steps_; ++step) {
            control.showAndWait();
            if (control.stopRequested()) {
                record_.stopped = true;
                return;
            }
            ++record_.stepsDone;
        }
    }
    void show() override { ++record_.shown; }
    std::optional<std::string> outcome() override { return "done " + std::to_string(record_.stepsDone); }

private:
    Record& record_;
    bool asks_;
    int steps_;
};

class LongActionsTest : public ::testing::Test {
protected:
    // Brings the actions into `state`: asking a question, or working and
    // held at its first step until polled.
    void enter(ActionState state)
    {
        if (state == ActionState::Idle)
            return;
        ASSERT_EQ(actions.react(GadgetEvent::LongPick), Reaction::Start);
        actions.start(std::make_unique<SteppedAction>(record, state == ActionState::Asking, 3));
        ASSERT_EQ(actions.state(), state);
    }

    // Polls until the work has ended, for at most ten seconds.
    void runOut()
    {
        for (int turn = 0; turn < 10000 && actions.state() == ActionState::Working; ++turn) {
            actions.poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(actions.state(), ActionState::Idle) << "the work did not end";
    }

    FakeHost host;
    Record record;
    LongActions actions{host};
};

// One row for each state and event: the reaction, and what became of the
// action under way.
struct TableRow {
    const char* name;
    ActionState state;
    GadgetEvent event;
    Reaction reaction;
    ActionState after;
    int withdrawn;
    bool stopped;
};

class ActionTable : public LongActionsTest, public ::testing::WithParamInterface<TableRow> {};

TEST_P(ActionTable, DecidesTheEventAgainstTheState)
{
    const TableRow& row = GetParam();
    enter(row.state);
    EXPECT_EQ(actions.react(row.event), row.reaction);
    EXPECT_EQ(actions.state(), row.after);
    EXPECT_EQ(host.withdrawn, row.withdrawn);
    EXPECT_EQ(record.stopped, row.stopped);
    EXPECT_EQ(record.stepsDone, 0) << "nothing ran beyond the first step";
}

using enum ActionState;
using enum GadgetEvent;

INSTANTIATE_TEST_SUITE_P(Rows, ActionTable,
    ::testing::Values(TableRow{"IdleLongPickStarts", Idle, LongPick, Reaction::Start, Idle, 0, false},
        TableRow{"IdleShortPickIsCarriedOut", Idle, ShortPick, Reaction::CarryOut, Idle, 0, false},
        TableRow{"IdleSaveReloadsNow", Idle, Save, Reaction::SaveAndReload, Idle, 0, false},
        TableRow{"IdleQuitEnds", Idle, Quit, Reaction::End, Idle, 0, false},
        TableRow{"IdleRestartTimerHandsBack", Idle, RestartTimer, Reaction::HandBackDisplay, Idle, 0, false},
        TableRow{"AskingLongPickIsRefused", Asking, LongPick, Reaction::Refuse, Asking, 0, false},
        TableRow{"AskingShortPickIsCarriedOut", Asking, ShortPick, Reaction::CarryOut, Asking, 0, false},
        TableRow{"AskingSaveReloadsLater", Asking, Save, Reaction::SaveReloadLater, Asking, 0, false},
        TableRow{"AskingQuitAnswersNo", Asking, Quit, Reaction::AnswerNoAndEnd, Idle, 1, false},
        TableRow{"AskingRestartTimerHandsBack", Asking, RestartTimer, Reaction::HandBackDisplay, Asking, 0, false},
        TableRow{"WorkingLongPickIsRefused", Working, LongPick, Reaction::Refuse, Working, 0, false},
        TableRow{"WorkingShortPickIsCarriedOut", Working, ShortPick, Reaction::CarryOut, Working, 0, false},
        TableRow{"WorkingSaveReloadsLater", Working, Save, Reaction::SaveReloadLater, Working, 0, false},
        TableRow{"WorkingQuitStopsAndWaits", Working, Quit, Reaction::StopAndEnd, Idle, 0, true},
        TableRow{"WorkingRestartTimerHandsBack", Working, RestartTimer, Reaction::HandBackDisplay, Working, 0,
            false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(LongActionsTest, EachStepIsShownBeforeTheNextAndTheOutcomeIsToldOnceIdle)
{
    enter(Working);
    EXPECT_EQ(record.begun, 1);
    runOut();
    EXPECT_EQ(record.stepsDone, 3);
    EXPECT_GE(record.shown, 3);
    EXPECT_EQ(host.told, std::vector<std::string>{"done 3"});
    EXPECT_EQ(host.states, (std::vector<ActionState>{Working, Idle}));
    EXPECT_GT(host.repaints, 0);
}

TEST_F(LongActionsTest, AQuestionAnsweredNoRunsNothingAndYesRunsTheWork)
{
    enter(Asking);
    EXPECT_EQ(host.asked, std::vector<std::string>{"Delete?"});
    actions.answer(false);
    EXPECT_EQ(actions.state(), Idle);
    EXPECT_EQ(record.begun, 0);
    EXPECT_TRUE(host.told.empty());

    enter(Asking);
    actions.answer(true);
    EXPECT_EQ(actions.state(), Working);
    runOut();
    EXPECT_EQ(record.stepsDone, 3);
}

TEST_F(LongActionsTest, AnAnswerWithNoQuestionOpenIsIgnored)
{
    actions.answer(true);
    enter(Working);
    actions.answer(false);
    EXPECT_EQ(actions.state(), Working);
}

TEST_F(LongActionsTest, ASecondStartWhileOneRunsIsIgnored)
{
    enter(Working);
    Record second;
    actions.start(std::make_unique<SteppedAction>(second, false, 1));
    runOut();
    EXPECT_EQ(second.begun, 0);
    EXPECT_EQ(host.told.size(), 1u);
}

// A save while an action is under way reloads once it has ended: answered
// no, or its work done. Never while it runs.
TEST_F(LongActionsTest, AReloadThatWaitedIsDueWhenTheActionEnds)
{
    enter(Asking);
    actions.react(Save);
    EXPECT_EQ(host.reloads, 0);
    actions.answer(false);
    EXPECT_EQ(host.reloads, 1);

    enter(Working);
    actions.react(Save);
    actions.poll();
    EXPECT_EQ(host.reloads, 1);
    runOut();
    EXPECT_EQ(host.reloads, 2);
    EXPECT_EQ(host.states.back(), Idle);
}

// Destroyed with its work under way (the program ends), it stops the work
// and waits for it.
TEST_F(LongActionsTest, EndingWithTheWorkUnderWayStopsIt)
{
    Record held;
    {
        LongActions ending{host};
        ending.start(std::make_unique<SteppedAction>(held, false, 5));
    }
    EXPECT_TRUE(held.stopped);
    EXPECT_EQ(held.stepsDone, 0);
}

}  // namespace
}  // namespace tavlo
