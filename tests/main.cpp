// The core tests, each with its own home and configuration folders.
#include <gtest/gtest.h>

#include "support/test_home.hpp"

int main(int argc, char** argv)
{
    qrb::test::use_test_home();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
