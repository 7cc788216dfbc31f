// SPDX-License-Identifier: GPL-3.0-or-later
// Shows an image file in a window of its own process, so that a screen scan finds what a
// user would have open in another program.
//   image_window TITLE IMAGE X Y
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: image_window TITLE IMAGE X Y\n");
        return 2;
    }
    const QPixmap image(QString::fromLocal8Bit(argv[2]));
    if (image.isNull()) {
        std::fprintf(stderr, "image_window: cannot read %s\n", argv[2]);
        return 1;
    }
    QLabel label;
    label.setWindowTitle(QString::fromLocal8Bit(argv[1]));
    label.setPixmap(image);
    label.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    label.move(QString::fromLocal8Bit(argv[3]).toInt(), QString::fromLocal8Bit(argv[4]).toInt());
    label.show();
    return app.exec();
}
