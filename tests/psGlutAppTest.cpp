#include "app/psGlutApp.h"
#include "tests/support/GlContext.h"

#include <GL/gl.h>
#include <chrono>
#include <thread>

// Records which operation the callbacks reached.
class Recorder : public psGlutApp {
  public:
    void Keyboard(int key, int, int) override { log += "K" + std::to_string(key); }
    void KeyboardUp(int, int, int) override { log += "k"; }
    void Special(int key, int, int) override { log += "S" + std::to_string(key); }
    void SpecialUp(int, int, int) override { log += "s"; }
    void MouseDown(int button, int, int) override { log += "D" + std::to_string(button); }
    void MouseUp(int button, int, int) override { log += "U" + std::to_string(button); }
    void Motion(int, int) override { log += "M"; }
    void PassiveMotion(int, int) override { log += "P"; }
    void Reshape(int w, int h) override { log += "R" + std::to_string(w) + std::to_string(h); }
    std::string log;
};
static int redisplays = 0;

TEST(psGlutAppTest, FrameTimeIsTheMeanOfThreeIntervalsCallbacksAskForFramesWithoutIdle) {
    ASSERT_TRUE(InitTimer());
    const std::int64_t ms = 1000000; // ReadTimer counts nanoseconds
    Recorder app;
    std::int64_t t = 5000 * ms;
    app.AddFrameSample(t);
    EXPECT_DOUBLE_EQ(app.frameTime, 0.02) << "one sample is no interval yet";
    for (int interval : {10, 20, 30, 40})
        app.AddFrameSample(t += interval * ms);
    EXPECT_NEAR(app.frameTime, 0.030, 1e-12) << "the mean of the last three intervals";
    // A second request for the idle loop keeps the samples it has.
    app.EnableIdle();
    app.sampleCount = 2;
    app.EnableIdle();
    EXPECT_EQ(std::make_pair(app.idleCount, app.sampleCount), std::make_pair(2, 2));
    GlutCallbacks::SetCurrentApp(&app);
    void (*saved)() = GlutCallbacks::postRedisplay;
    GlutCallbacks::postRedisplay = [] { ++redisplays; };
    for (int idle : {0, 1}) {
        app.idleCount = idle;
        redisplays = 0;
        GlutCallbacks::Keyboard(200, 1, 2); // a byte above 127 arrives unsigned
        GlutCallbacks::KeyboardUp('a', 0, 0);
        GlutCallbacks::Special(100, 0, 0);
        GlutCallbacks::SpecialUp(103, 0, 0);
        GlutCallbacks::Mouse(2, 0, 0, 0);
        GlutCallbacks::Mouse(0, 1, 0, 0);
        GlutCallbacks::Mouse(1, 7, 0, 0); // neither down nor up: nothing is called
        GlutCallbacks::Motion(0, 0);
        GlutCallbacks::PassiveMotion(0, 0);
        EXPECT_EQ(redisplays, idle ? 0 : 8) << "passive motion never asks for a frame";
    }
    EXPECT_EQ(app.log, "K200kS100sD2U0MPK200kS100sD2U0MP");
    GlutCallbacks::Idle(); // the idle loop asks for every frame itself
    EXPECT_EQ(redisplays, 1);
    GlutCallbacks::postRedisplay = saved;
    GlutCallbacks::SetCurrentApp(nullptr);
}

using psGlutAppFrame = GlTest;

TEST_F(psGlutAppFrame, ViewportBegin2DEnd2DTheFrameTimerAndTheReadout) {
    Recorder app;
    GlutCallbacks::SetCurrentApp(&app);
    // One frame through the display callback; the readout's corner as drawn
    // (the back buffer keeps it after the swap here).
    const auto Frame = [] {
        glClear(GL_COLOR_BUFFER_BIT);
        GlutCallbacks::Display();
        std::vector<unsigned char> corner(64 * 15 * 3);
        glReadBuffer(GL_BACK);
        glReadPixels(800 - 64, 600 - 15, 64, 15, GL_RGB, GL_UNSIGNED_BYTE, corner.data());
        return corner;
    };
    GlutCallbacks::Reshape(640, 480);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 640, 480}));
    EXPECT_EQ(std::make_tuple(app.log, app.width, app.height), std::tuple("R640480", 640, 480));
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScaled(2, 3, 4);
    app.Begin2D();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING) || glIsEnabled(GL_TEXTURE_2D));
    app.End2D();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_TEXTURE_2D));
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_EQ(std::vector<double>({m[0], m[5], m[10]}), std::vector<double>({2, 3, 4}))
        << "the scene's projection is back";
    // The frame timer runs only with the idle loop; the readout changes every 25th frame.
    ASSERT_TRUE(InitTimer());
    GlutCallbacks::Reshape(800, 600);
    Frame();
    EXPECT_EQ(app.sampleCount, 0) << "no idle loop, no timing";
    app.idleCount = 1;
    const std::vector<unsigned char> blank(64 * 15 * 3, 0);
    for (int frame = 1; frame < 25; ++frame)
        EXPECT_EQ(Frame(), blank) << frame;
    EXPECT_EQ(app.sampleCount, 4);
    const std::vector<unsigned char> first = Frame();
    EXPECT_NE(first, blank);
    for (int frame = 26; frame < 50; ++frame) {
        if (frame > 46) // a slower rate for the next readout
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(Frame(), first) << frame;
    }
    EXPECT_NE(Frame(), first);
    GlutCallbacks::SetCurrentApp(nullptr);
}
