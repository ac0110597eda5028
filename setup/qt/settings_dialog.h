#pragma once

#include <QWidget>

#include <map>

#include "core/settings_store.h"
#include "setup/settings_dialog_state.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace tavlo {

class Pickers;
class UserNotifier;

// The settings dialog "設定": a modeless window that shows a SettingsDialogState and
// turns the user's clicks into its calls. "保存" asks the owner to save and
// restart the gadget; "キャンセル", "閉じる" and the close box close it.
class SettingsDialog : public QWidget {
    Q_OBJECT

public:
    SettingsDialog(Pickers& pickers, UserNotifier& notifier);

    // Copies the main window's store and fills the controls.
    void Form_Load(const SettingsStore& store);

    const SettingsDialogState& form() const { return form_; }

signals:
    // "保存": the working copy is to go into the store, the settings file
    // and a fresh start of the main window.
    void saveRequested();

private:
    void build();
    void addColourRow(QWidget* parent, std::string_view key, const QString& caption, int y, bool deletable);
    void refresh();
    void pickColour(std::string_view key);

    SettingsDialogState form_;
    Pickers& pickers_;
    UserNotifier& notifier_;

    QCheckBox* Check1_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QGroupBox* Frame3_ = nullptr;
    QGroupBox* Frame4_ = nullptr;
    std::map<std::string_view, QLabel*> swatches_;
    QLabel* Bc_ = nullptr;
    QComboBox* cboCVw_ = nullptr;
    QComboBox* cboMVw_ = nullptr;
    QLineEdit* ClFntN_ = nullptr;
    QLineEdit* ClFntSt_ = nullptr;
    QLineEdit* RTUl_ = nullptr;
};

}  // namespace tavlo
