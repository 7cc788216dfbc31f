#include <QApplication>
#include <gtest/gtest.h>

// Widget tests run on the offscreen platform unless they exercise the real X server.
int main(int argc, char** argv)
{
#ifdef BRISVANE_TEST_OFFSCREEN
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
