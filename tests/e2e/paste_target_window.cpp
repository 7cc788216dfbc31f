// SPDX-License-Identifier: GPL-3.0-or-later
// A text field in a process of its own, titled by its argument, that prints its text on
// every change and "[focused]" when its window gets the keyboard focus (no tool tells that
// on Wayland): the target of the paste tests.
#include <QApplication>
#include <QLineEdit>
#include <QWindow>
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
    QObject::connect(&app, &QGuiApplication::focusWindowChanged, [&field](QWindow* window) {
        if (window != nullptr && window == field.windowHandle()) {
            std::printf("[focused]\n");
            std::fflush(stdout);
        }
    });
    field.show();
    return app.exec();
}
