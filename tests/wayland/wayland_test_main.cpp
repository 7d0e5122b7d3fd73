#include <gtest/gtest.h>

#include <QCoreApplication>

// The platform's services and the bus connections need an application object;
// every test of this program shares one.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
