#include <QApplication>
#include <gtest/gtest.h>

// The platform tests talk to the X server of the private session through Qt's connection.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
