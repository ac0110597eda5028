// The floor the gadget's start-up is held to: a Qt program that shows a
// frameless window of the gadget's size and an icon in the notification
// area, and does nothing else. With --text, its window also draws the lines
// of text a gadget shows, in the gadget's Japanese face: the floor of a
// program that draws text, which pays for the font configuration, the font
// database, the face and the shaping that the first one does not.
//
// Usage: tavlo_bare_qt [--text]
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

#include <cstring>
#include <memory>

namespace {

class TextWindow : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        static const char* const lines[] = {"2026/12/07 (月)", "10:00:00", "CPU 使用率 12.3%", "RAM 4321/24105MB",
            "ディスク 0.5%", "空き　領域 87.6%", "月齢 26"};
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        painter.setFont(font);
        painter.setPen(Qt::white);
        int y = 20;
        for (const char* line : lines) {
            painter.drawText(8, y, QString::fromUtf8(line));
            y += 28;
        }
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    const Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    const std::unique_ptr<QWidget> window
        = text ? std::make_unique<TextWindow>(nullptr, flags) : std::make_unique<QWidget>(nullptr, flags);
    window->setFixedSize(242, 237);
    window->move(759, 59);
    window->show();

    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pixmap)};
    icon.setToolTip(QStringLiteral("bare"));
    icon.show();

    return QApplication::exec();
}
