// Writes the program's icon into a hicolor icon theme below the folder given:
// the scalable SVG and PNGs of the sizes desktops ask for, all from the one
// drawing that the notification area shows.
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <fstream>

#include "display/app_icon.h"
#include "shell/qt/tray_icon.h"

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]) + "/hicolor");
    const QString scalable = theme.filePath("scalable/apps");
    if (!QDir().mkpath(scalable))
        return 1;
    std::ofstream(QDir(scalable).filePath("tavlo.svg").toStdString()) << tavlo::gadgetIconSvg(48);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = theme.filePath(QString("%1x%1/apps").arg(size));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        tavlo::paintGadgetIcon(painter, size);
        painter.end();
        if (!QDir().mkpath(folder) || !image.save(QDir(folder).filePath("tavlo.png")))
            return 1;
    }
    return 0;
}
