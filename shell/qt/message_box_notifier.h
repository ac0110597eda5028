#pragma once

#include <QMessageBox>
#include <QPointer>

#include <vector>

#include "platform/user_notifier.h"

namespace tavlo {

// QMessageBoxes titled "Tavlo": modal ones run their own loop; the others
// show and return, and are closed at the latest with the notifier.
class MessageBoxNotifier final : public UserNotifier {
public:
    ~MessageBoxNotifier() override;

    void showMessage(const std::string& text) override;
    bool ask(const std::string& text) override;
    void post(const std::string& text) override;
    void askLater(const std::string& text, bool yesNo, std::function<void(bool yes)> answered) override;
    void withdraw() override;

    // The open question, if any.
    QMessageBox* question() const { return question_; }

private:
    QPointer<QMessageBox> question_;
    std::vector<QPointer<QMessageBox>> posted_;
};

}  // namespace tavlo
