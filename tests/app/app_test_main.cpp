#include <gtest/gtest.h>

#include <QApplication>

// The widget tests drive real windows, so they share one application object.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
