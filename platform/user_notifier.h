#pragma once

#include <string>

namespace tavlo {

// The modal message box with one OK button and the title "Tavlo". Lines of
// the text are separated by a carriage return.
class UserNotifier {
public:
    virtual ~UserNotifier() = default;
    virtual void showMessage(const std::string& text) = 0;
};

}  // namespace tavlo
