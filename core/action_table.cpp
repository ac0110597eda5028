#include "core/action_table.h"

namespace tavlo {

Reaction decide(ActionState state, GadgetEvent event)
{
    const bool idle = state == ActionState::Idle;
    switch (event) {
    case GadgetEvent::LongPick:
        return idle ? Reaction::Start : Reaction::Refuse;
    case GadgetEvent::ShortPick:
        return Reaction::CarryOut;
    case GadgetEvent::Save:
        // Reloading would pull the main window from under the action.
        return idle ? Reaction::SaveAndReload : Reaction::SaveReloadLater;
    case GadgetEvent::Quit:
        switch (state) {
        case ActionState::Idle:
            return Reaction::End;
        case ActionState::Asking:
            // Nobody said yes: nothing is deleted.
            return Reaction::AnswerNoAndEnd;
        case ActionState::Working:
            return Reaction::StopAndEnd;
        }
        break;
    case GadgetEvent::RestartTimer:
        return Reaction::HandBackDisplay;
    }
    return Reaction::Refuse;
}

}  // namespace tavlo
