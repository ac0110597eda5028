#pragma once

#include <string>

namespace tavlo {

// The modal message boxes, titled "Tavlo". Lines of the text are separated
// by a carriage return.
class UserNotifier {
public:
    virtual ~UserNotifier() = default;

    // A message with one OK button.
    virtual void showMessage(const std::string& text) = 0;

    // A question with "はい" and "いいえ"; true for "はい".
    virtual bool ask(const std::string& text) = 0;
};

}  // namespace tavlo
