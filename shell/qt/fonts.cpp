#include "shell/qt/fonts.h"

#include <QStringList>

#include <cmath>

#include "display/layout.h"

namespace tavlo {
namespace {

// The numeric labels use the window's default font: the Japanese system
// default of 9 points.
constexpr double kDefaultPointSize = 9;

}  // namespace

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QString::fromUtf8(kDefaultClockFace.data(), kDefaultClockFace.size()),
        QStringList{
            "IPAPGothic", "IPAGothic", "VL PGothic", "VL Gothic", "Noto Sans CJK JP", "Noto Sans JP", "TakaoPGothic"});
}

QFont labelFont(const FontSpec& spec, bool antialiased)
{
    QFont font(spec.face.empty() ? QString::fromUtf8(kDefaultClockFace.data(), kDefaultClockFace.size())
                                 : QString::fromStdString(spec.face));
    const double points = spec.pointSize > 0 ? spec.pointSize : kDefaultPointSize;
    font.setPixelSize(static_cast<int>(std::lround(points * 96 / 72)));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setStyleStrategy(antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

}  // namespace tavlo
