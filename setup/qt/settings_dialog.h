#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <string_view>

#include "core/settings_store.h"
#include "platform/geometry.h"
#include "setup/settings_dialog_state.h"

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

    const SettingsDialogState& state() const { return state_; }

    // Stands in the middle of `area` by its outer frame: by its own size
    // while the window manager has not framed it, and again once it has.
    void centreOn(const PixelRect& area);

signals:
    // "保存": the working copy is to go into the store, the settings file
    // and a fresh start of the main window.
    void saveRequested();

protected:
    void moveEvent(QMoveEvent* event) override;

private:
    void build();
    void connectControls();
    void refresh();
    void placeByFrame();
    template <typename T> T* control(std::string_view name) const;

    SettingsDialogState state_;
    PixelRect centreArea_;
    bool awaitingFrame_ = false;
    // The named controls of the table.
    std::map<std::string_view, QWidget*, std::less<>> controls_;
    Pickers& pickers_;
    UserNotifier& notifier_;
};

}  // namespace tavlo
