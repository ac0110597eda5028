#pragma once

#include <optional>

#include "platform/geometry.h"
#include "shell/main_window.h"
#include "shell/win32/dpi_scale.h"

namespace tavlo {

// The controls of the position strip.
enum class StripPart { PstnMove, cmdPstnSave, cmdFstPstn };

// What the pointer did to the strip, for the main window's handlers.
struct StripEvent {
    enum class Kind { HandleDown, HandleMove, Click };
    Kind kind;
    StripPart part;
    // HandleDown and HandleMove: the pressed buttons (1 left, 2 right, 4
    // middle) and the pointer in twips from the handle's corner.
    int buttons = 0;
    double x = 0;
    double y = 0;

    bool operator==(const StripEvent&) const = default;
};

// The strip's controls in the window's pixels, placed from the core's
// layout at the shell's scale.
struct StripPlaces {
    explicit StripPlaces(const DpiScale& scale);

    PixelRect of(StripPart part) const;
    std::optional<StripPart> partAt(int x, int y) const;

    PixelRect PstnMove;
    PixelRect cmdPstnSave;
    PixelRect cmdFstPstn;
};

// The pointer on the strip, in the window's pixels, as a button and a drag
// handle take it: a press on the handle holds it, and every move while it
// is held is reported, wherever the pointer is; a button is clicked when
// the press and the release are both on it.
class StripPointer {
public:
    // The strip is drawn at the window's `scale`; the window is placed at
    // the `desktop` scale (see windowPlace), at which the pointer's moves
    // turn into twips, so that the window follows the pointer to the pixel.
    StripPointer(const DpiScale& scale, const DpiScale& desktop) : desktop_(desktop), places_(scale) {}

    const StripPlaces& places() const { return places_; }
    std::optional<StripEvent> press(int x, int y, int buttons);
    std::optional<StripEvent> move(int x, int y, int buttons);
    std::optional<StripEvent> release(int x, int y);
    // The window lost the pointer: nothing is held any more.
    void cancel();
    // Whether the strip wants the pointer's messages wherever it goes.
    bool holding() const { return held_.has_value(); }

private:
    StripEvent handleEvent(StripEvent::Kind kind, int x, int y, int buttons) const;

    DpiScale desktop_;
    StripPlaces places_;
    std::optional<StripPart> held_;
};

// Runs the main window's handler of what the pointer did.
void applyStripEvent(MainWindow& mainWindow, const StripEvent& event);

}  // namespace tavlo
