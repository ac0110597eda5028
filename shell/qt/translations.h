#pragma once

class QApplication;

namespace tavlo {

// Qt's own Japanese texts, so that the colour and font pickers and the
// standard buttons speak Japanese like the rest of the gadget.
void loadJapaneseTranslations(QApplication& app);

}  // namespace tavlo
