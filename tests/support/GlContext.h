#pragma once

// One GLUT window with an OpenGL context for the whole test program, opened on
// the X display the test run provides (./test starts an Xvfb for it).

#include <gtest/gtest.h>

// Opens the window on first use and makes its context current. False when
// there is no X display to open it on.
bool EnsureGlContext();

// Base fixture for tests that need a GL context.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureGlContext()) << "no X display: run the tests through ./test, "
                                          "which starts an Xvfb";
    }
};
