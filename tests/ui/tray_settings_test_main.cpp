#include <QApplication>
#include <gtest/gtest.h>

// The tray window and the settings tabs on the offscreen platform: no display, no tray host.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
