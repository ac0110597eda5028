#pragma once

#include <optional>
#include <string>

#include "display/gadget_view.h"
#include "setup/settings_dialog_state.h"

class QWidget;

namespace tavlo {

// The modal colour and font choosers of the settings dialog; tests put fakes
// in their place.
class Pickers {
public:
    virtual ~Pickers() = default;

    // A colour chosen starting on `initial`, or nothing when cancelled.
    virtual std::optional<Colour> pickColour(Colour initial, QWidget* parent) = 0;

    // A font chosen starting on `face` at `pointSize`, regular; nothing when
    // cancelled.
    virtual std::optional<FontChoice> pickFont(const std::string& face, int pointSize, QWidget* parent) = 0;
};

// Qt's own colour and font dialogs.
class QtPickers final : public Pickers {
public:
    std::optional<Colour> pickColour(Colour initial, QWidget* parent) override;
    std::optional<FontChoice> pickFont(const std::string& face, int pointSize, QWidget* parent) override;
};

}  // namespace tavlo
