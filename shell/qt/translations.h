#pragma once

namespace tavlo {

// Qt's own Japanese texts, so that the colour and font pickers and the
// standard buttons speak Japanese like the rest of the gadget. Loaded once,
// by the first dialog: the gadget itself shows none of them.
void loadJapaneseTranslations();

}  // namespace tavlo
