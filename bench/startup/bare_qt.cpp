// The floor the gadget's start-up is held to: a Qt program that shows a
// frameless window of the gadget's size and an icon in the notification
// area, and does nothing else.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(242, 237);
    window.move(759, 59);
    window.show();

    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pixmap)};
    icon.setToolTip(QStringLiteral("bare"));
    icon.show();

    return QApplication::exec();
}
