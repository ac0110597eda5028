#pragma once

#include "platform/user_notifier.h"

namespace tavlo {

// Modal QMessageBoxes titled "Tavlo".
class MessageBoxNotifier final : public UserNotifier {
public:
    void showMessage(const std::string& text) override;
    bool ask(const std::string& text) override;
};

}  // namespace tavlo
