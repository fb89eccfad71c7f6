#pragma once

// One GLUT window with an OpenGL context for the whole test program, opened on
// the X display the test run provides (./test starts an Xvfb for it).

#include <gtest/gtest.h>

#include <functional>

class TextureFont;

// Tests that draw: the window opens on first use, its context made current.
class GlTest : public ::testing::Test {
  protected:
    void SetUp() override;
};

// Resizes the test window (it may be larger than the X screen) and sets the
// viewport to the whole of it.
void ResizeGlWindow(int width, int height);

// The text that draw puts on screen with font, read back in feedback mode: a
// line "x y size text" per run of glyphs side by side, top line first, in
// window pixels divided by unit. A gap of whole glyph widths reads as spaces.
std::string DrawnText(const TextureFont& font, const std::function<void()>& draw, double unit);
