#include <QApplication>

#include <gtest/gtest.h>

// Widget tests run on the offscreen platform at 96 dpi, without a display.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
