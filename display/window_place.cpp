#include "display/window_place.h"

#include <algorithm>
#include <vector>

#include "core/number_text.h"

namespace tavlo {

double defaultTop(const Screen& screen)
{
    return static_cast<float>(screen.primarySize().height) / 13.0f;
}

double defaultLeft(const Screen& screen, double windowWidth)
{
    return screen.primarySize().width - windowWidth - 350;
}

void placeAtStoredPlace(const SettingsStore& store, const Screen& screen, WindowView& window)
{
    window.top = store.WTop.empty() ? defaultTop(screen) : leadingNumberValue(store.WTop);
    window.left = store.WLeft.empty() ? defaultLeft(screen, window.width) : leadingNumberValue(store.WLeft);
    // A place on a monitor that is gone, or typed into the file, would hide
    // the gadget and its position strip: unless a screen shows enough of it
    // to find and take hold of, it starts at the default place, and the file
    // keeps the stored one until the user saves another.
    const auto shows = [&](const TwipRect& area) {
        const double across
            = std::min(window.left + window.width, area.left + area.width) - std::max(window.left, area.left);
        const double down
            = std::min(window.top + window.height, area.top + area.height) - std::max(window.top, area.top);
        return across >= kLeastShownTwips && down >= kLeastShownTwips;
    };
    const std::vector<TwipRect> screens = screen.screens();
    if (std::none_of(screens.begin(), screens.end(), shows)) {
        window.top = defaultTop(screen);
        window.left = defaultLeft(screen, window.width);
    }
}

}  // namespace tavlo
