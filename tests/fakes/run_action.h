#pragma once

#include <functional>

#include "core/long_action.h"
#include "tests/fakes/fake_services.h"

namespace tavlo::testing {

// Runs a long action to its end on the calling thread, as a shell would
// across its threads: the question goes to the notifier, whose `answer`
// answers it (a warning with OK only is shown and goes on); the progress is
// shown at once whenever the work reports it, and `shown` sees each showing.
inline void runToEnd(LongAction& action, RecordingNotifier& notifier, const std::function<void()>& shown = {})
{
    struct Inline final : JobControl {
        LongAction& action;
        const std::function<void()>& shown;
        Inline(LongAction& owner, const std::function<void()>& seen) : action(owner), shown(seen) {}
        bool stopRequested() const override { return false; }
        void progressed() override { action.show(); }
        void showAndWait() override
        {
            action.show();
            if (shown)
                shown();
        }
    };
    if (const auto question = action.question()) {
        if (!question->yesNo) {
            notifier.messages.push_back(question->text);
        } else if (!notifier.ask(question->text)) {
            return;
        }
    }
    action.begin();
    Inline control(action, shown);
    action.work(control);
    if (const auto outcome = action.outcome())
        notifier.messages.push_back(*outcome);
}

}  // namespace tavlo::testing
