#include <QApplication>
#include <gtest/gtest.h>

// The main window on the offscreen platform: no display, no clipboard of the desktop.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
