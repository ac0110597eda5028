#include "shell/qt/position_strip.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include "display/position_strip_layout.h"
#include "platform/qt/qt_geometry.h"
#include "shell/qt/qt_colour.h"

namespace tavlo {
namespace {

// A four-way arrow on a light tile: what can be dragged.
QPixmap handleImage(qreal ratio)
{
    QPixmap pixmap(QSize(33, 33) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    painter.setBrush(QColor(0xF0, 0xF0, 0xF0));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 32, 32), 5, 5);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16.5, 6), QPointF(16.5, 27));
    painter.drawLine(QPointF(6, 16.5), QPointF(27, 16.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    QPainterPath arrows;
    arrows.addPolygon(QPolygonF({{16.5, 2}, {12, 8}, {21, 8}}));
    arrows.addPolygon(QPolygonF({{16.5, 31}, {12, 25}, {21, 25}}));
    arrows.addPolygon(QPolygonF({{2, 16.5}, {8, 12}, {8, 21}}));
    arrows.addPolygon(QPolygonF({{31, 16.5}, {25, 12}, {25, 21}}));
    painter.drawPath(arrows);
    return pixmap;
}

int buttonsOf(const QMouseEvent* event)
{
    return static_cast<int>(event->buttons().toInt() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

}  // namespace

DragHandle::DragHandle(QWidget* parent) : QLabel(parent)
{
    setObjectName("PstnMove");
    setCursor(Qt::SizeAllCursor);
    setPixmap(handleImage(devicePixelRatioF()));
}

void DragHandle::mousePressEvent(QMouseEvent* event)
{
    emit pressed(buttonsOf(event), twipsOf(event->position()));
}

void DragHandle::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(buttonsOf(event), twipsOf(event->position()));
}

PositionStrip::PositionStrip(QWidget* window)
    : PstnMove(new DragHandle(window)),
      cmdPstnSave(new QPushButton(QString::fromUtf8(kPstnSaveCaption.data(), kPstnSaveCaption.size()), window)),
      cmdFstPstn(new QPushButton(QString::fromUtf8(kFstPstnCaption.data(), kFstPstnCaption.size()), window))
{
    PstnMove->setGeometry(wholeQRect(kPstnMoveRect));
    cmdPstnSave->setObjectName("cmdPstnSave");
    cmdPstnSave->setGeometry(wholeQRect(kPstnSaveRect));
    cmdFstPstn->setObjectName("cmdFstPstn");
    cmdFstPstn->setGeometry(wholeQRect(kFstPstnRect));
    const QString style = QString("QPushButton { background: %1; border: 1px solid #707070; }")
                              .arg(toQColor(kStripButtonColour).name());
    cmdPstnSave->setStyleSheet(style);
    cmdFstPstn->setStyleSheet(style);
    setVisible(false);
}

void PositionStrip::setVisible(bool visible)
{
    PstnMove->setVisible(visible);
    cmdPstnSave->setVisible(visible);
    cmdFstPstn->setVisible(visible);
}

QList<QRect> PositionStrip::rects() const
{
    return {PstnMove->geometry(), cmdPstnSave->geometry(), cmdFstPstn->geometry()};
}

}  // namespace tavlo
