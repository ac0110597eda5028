#include "setup/qt/pickers.h"

#include <QColorDialog>
#include <QFontDialog>

#include "shell/qt/qt_colour.h"

namespace tavlo {

std::optional<Colour> QtPickers::pickColour(Colour initial, QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<Colour>(chosen.red() | chosen.green() << 8 | chosen.blue() << 16);
}

std::optional<FontChoice> QtPickers::pickFont(const std::string& face, int pointSize, QWidget* parent)
{
    bool chosen = false;
    QFont preset(QString::fromStdString(face), pointSize);
    preset.setBold(false);
    preset.setItalic(false);
    const QFont font = QFontDialog::getFont(&chosen, preset, parent);
    if (!chosen)
        return std::nullopt;
    return FontChoice{font.family().toStdString(), font.bold(), font.italic()};
}

}  // namespace tavlo
