#include "shell/win32/strip_pointer.h"

#include "display/position_strip_layout.h"

namespace tavlo {
namespace {

bool contains(const PixelRect& rect, int x, int y)
{
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

}  // namespace

StripPlaces::StripPlaces(const DpiScale& scale)
    : PstnMove(scale.whole(kPstnMoveRect)),
      cmdPstnSave(scale.whole(kPstnSaveRect)),
      cmdFstPstn(scale.whole(kFstPstnRect))
{
}

PixelRect StripPlaces::of(StripPart part) const
{
    switch (part) {
    case StripPart::PstnMove:
        return PstnMove;
    case StripPart::cmdPstnSave:
        return cmdPstnSave;
    case StripPart::cmdFstPstn:
        return cmdFstPstn;
    }
    return {};
}

std::optional<StripPart> StripPlaces::partAt(int x, int y) const
{
    for (const StripPart part : {StripPart::PstnMove, StripPart::cmdPstnSave, StripPart::cmdFstPstn})
        if (contains(of(part), x, y))
            return part;
    return std::nullopt;
}

StripEvent StripPointer::handleEvent(StripEvent::Kind kind, int x, int y, int buttons) const
{
    // The handle's own coordinates, in twips as the handlers count.
    const PixelRect& handle = places_.PstnMove;
    const double twipsPerPixel = 1440.0 / desktop_.dpi();
    return {kind, StripPart::PstnMove, buttons, (x - handle.x) * twipsPerPixel, (y - handle.y) * twipsPerPixel};
}

std::optional<StripEvent> StripPointer::press(int x, int y, int buttons)
{
    if (held_)
        return std::nullopt;
    held_ = places_.partAt(x, y);
    if (held_ == StripPart::PstnMove)
        return handleEvent(StripEvent::Kind::HandleDown, x, y, buttons);
    return std::nullopt;
}

std::optional<StripEvent> StripPointer::move(int x, int y, int buttons)
{
    if (held_ == StripPart::PstnMove)
        return handleEvent(StripEvent::Kind::HandleMove, x, y, buttons);
    return std::nullopt;
}

void StripPointer::cancel()
{
    held_.reset();
}

std::optional<StripEvent> StripPointer::release(int x, int y)
{
    const std::optional<StripPart> pressed = held_;
    held_.reset();
    if (pressed && *pressed != StripPart::PstnMove && places_.partAt(x, y) == pressed)
        return StripEvent{StripEvent::Kind::Click, *pressed};
    return std::nullopt;
}

void applyStripEvent(MainWindow& mainWindow, const StripEvent& event)
{
    switch (event.kind) {
    case StripEvent::Kind::HandleDown:
        mainWindow.PstnMove_MouseDown(event.buttons, event.x, event.y);
        break;
    case StripEvent::Kind::HandleMove:
        mainWindow.PstnMove_MouseMove(event.buttons, event.x, event.y);
        break;
    case StripEvent::Kind::Click:
        if (event.part == StripPart::cmdPstnSave)
            mainWindow.cmdPstnSave_Click();
        else if (event.part == StripPart::cmdFstPstn)
            mainWindow.cmdFstPstn_Click();
        break;
    }
}

}  // namespace tavlo
