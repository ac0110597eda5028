#pragma once

#include <QLabel>
#include <QPointF>

class QPushButton;

namespace tavlo {

// The drag handle PstnMove: it reports presses and moves with the pressed
// buttons (1 left, 2 right, 4 middle) and the pointer in twips from its corner.
class DragHandle : public QLabel {
    Q_OBJECT

public:
    explicit DragHandle(QWidget* parent);

signals:
    void pressed(int buttons, QPointF twips);
    void moved(int buttons, QPointF twips);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// The strip under the readouts that the position mode uncovers: the handle
// and the buttons "決定" and "元の位置に戻す", placed in the gadget window.
struct PositionStrip {
    explicit PositionStrip(QWidget* window);

    void setVisible(bool visible);
    // Their places in device-independent pixels, for the window's shape.
    QList<QRect> rects() const;

    DragHandle* PstnMove;
    QPushButton* cmdPstnSave;
    QPushButton* cmdFstPstn;
};

}  // namespace tavlo
