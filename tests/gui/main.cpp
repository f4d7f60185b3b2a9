// The window tests run inside one QApplication, on the offscreen platform
// unless another one is asked for, with their own home and configuration
// folders.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/test_home.hpp"

int main(int argc, char** argv)
{
    qrb::test::use_test_home();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
