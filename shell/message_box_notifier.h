#pragma once

#include "platform/user_notifier.h"

namespace tavlo {

// A modal QMessageBox with an OK button, titled "Tavlo".
class MessageBoxNotifier final : public UserNotifier {
public:
    void showMessage(const std::string& text) override;
};

}  // namespace tavlo
