// The Windows backend's tests: the process is set up as the program sets itself up.

#include "platform/win32/native/native.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    win32native::DeclareDpiAwareness();
    return RUN_ALL_TESTS();
}
