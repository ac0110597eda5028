#pragma once

#include <functional>
#include <string>

namespace tavlo {

// The message boxes, titled "Tavlo". Lines of the text are separated by a
// carriage return.
class UserNotifier {
public:
    virtual ~UserNotifier() = default;

    // A modal message with one OK button.
    virtual void showMessage(const std::string& text) = 0;

    // A modal question with "はい" and "いいえ"; true for "はい".
    virtual bool ask(const std::string& text) = 0;

    // A message with one OK button that does not wait for it.
    virtual void post(const std::string& text) = 0;

    // A question that does not wait for its answer: `answered` is called
    // later on this thread, true for "はい" (or OK where `yesNo` is false).
    // One question at a time.
    virtual void askLater(const std::string& text, bool yesNo, std::function<void(bool yes)> answered) = 0;

    // Takes the open question away; its `answered` is not called.
    virtual void withdraw() = 0;
};

}  // namespace tavlo
