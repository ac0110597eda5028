#pragma once

#include <string>

#include "core/long_actions.h"
#include "platform/user_notifier.h"

namespace tavlo {

// What both shells do alike for the long actions: questions and messages go
// to the user notifier without waiting, and the answers back to the actions.
class NotifierHost : public ActionHost {
public:
    explicit NotifierHost(UserNotifier& notifier) : notifier_(notifier) {}

    void ask(const Question& question) override
    {
        notifier_.askLater(question.text, question.yesNo, [this](bool yes) { actions().answer(yes); });
    }
    void withdrawQuestion() override { notifier_.withdraw(); }
    void tell(const std::string& text) override { notifier_.post(text); }

protected:
    virtual LongActions& actions() = 0;

private:
    UserNotifier& notifier_;
};

}  // namespace tavlo
