// SPDX-License-Identifier: GPL-3.0-or-later
// A text field in a process of its own, titled by its argument, that prints its text on
// every change: the target of the end-to-end paste test.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLineEdit field;
    field.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("paste-target"));
    QObject::connect(&field, &QLineEdit::textChanged, [](const QString& text) {
        std::printf("%s\n", text.toUtf8().constData());
        std::fflush(stdout);
    });
    field.show();
    return app.exec();
}
