#include "shell/qt/render_cache.h"

#include <QTextOption>

namespace tavlo {

const QStaticText& RenderCache::text(
    std::size_t label, const QString& text, const QFont& font, qreal wrapWidth, Qt::Alignment alignment)
{
    Entry& entry = labels_.at(label);
    if (entry.layout.text() != text || entry.font != font || entry.wrapWidth != wrapWidth) {
        entry.layout.setText(text);
        entry.layout.setTextFormat(Qt::PlainText);
        entry.layout.setTextWidth(wrapWidth > 0 ? wrapWidth : -1);
        QTextOption option(alignment);
        option.setWrapMode(wrapWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
        entry.layout.setTextOption(option);
        entry.layout.prepare(QTransform(), font);
        entry.font = font;
        entry.wrapWidth = wrapWidth;
    }
    return entry.layout;
}

}  // namespace tavlo
