#include "app/psGlutApp.h"

#include <gtest/gtest.h>

namespace {

// Records which operation the callbacks reached.
class Recorder : public psGlutApp {
public:
    void Keyboard(int key, int, int) override { log += "K" + std::to_string(key); }
    void KeyboardUp(int key, int, int) override { log += "k" + std::to_string(key); }
    void Special(int key, int, int) override { log += "S" + std::to_string(key); }
    void SpecialUp(int key, int, int) override { log += "s" + std::to_string(key); }
    void MouseDown(int button, int, int) override { log += "D" + std::to_string(button); }
    void MouseUp(int button, int, int) override { log += "U" + std::to_string(button); }
    void Motion(int, int) override { log += "M"; }
    void PassiveMotion(int, int) override { log += "P"; }
    std::string log;
};

int redisplays = 0;
void CountRedisplay() { ++redisplays; }

} // namespace

TEST(psGlutAppTest, FrameTime_IsTheMeanOfTheLastThreeIntervals) {
    ASSERT_TRUE(InitTimer());
    const std::int64_t ms = 1000000; // ReadTimer counts nanoseconds
    psGlutApp app;
    std::int64_t t = 5000 * ms;
    app.AddFrameSample(t);
    EXPECT_DOUBLE_EQ(app.frameTime, 0.02) << "one sample is no interval yet";
    for (int interval : {10, 20, 30, 40})
        app.AddFrameSample(t += interval * ms);
    EXPECT_NEAR(app.frameTime, 0.030, 1e-12);
    app.AddFrameSample(t += 100 * ms);
    EXPECT_NEAR(app.frameTime, 0.170 / 3, 1e-12);

    // A second request for the idle loop keeps the samples it has.
    app.EnableIdle();
    EXPECT_EQ(app.sampleCount, 0);
    app.sampleCount = 2;
    app.EnableIdle();
    EXPECT_EQ(app.idleCount, 2);
    EXPECT_EQ(app.sampleCount, 2);
}

TEST(psGlutAppTest, Callbacks_DispatchAndAskForFramesOnlyWithoutTheIdleLoop) {
    Recorder app;
    GlutCallbacks::SetCurrentApp(&app);
    void (*saved)() = GlutCallbacks::postRedisplay;
    GlutCallbacks::postRedisplay = CountRedisplay;

    GlutCallbacks::Keyboard(200, 1, 2); // a byte above 127 arrives unsigned
    GlutCallbacks::KeyboardUp('a', 0, 0);
    GlutCallbacks::Special(100, 0, 0);
    GlutCallbacks::SpecialUp(103, 0, 0);
    GlutCallbacks::Mouse(2, 0, 0, 0);
    GlutCallbacks::Mouse(0, 1, 0, 0);
    GlutCallbacks::Mouse(1, 7, 0, 0); // neither down nor up: nothing is called
    GlutCallbacks::Motion(0, 0);
    GlutCallbacks::PassiveMotion(0, 0);
    EXPECT_EQ(app.log, "K200k97S100s103D2U0MP");
    EXPECT_EQ(redisplays, 8) << "every event but passive motion asks for a frame";

    app.idleCount = 1;
    redisplays = 0;
    GlutCallbacks::Keyboard('x', 0, 0);
    GlutCallbacks::Mouse(0, 0, 0, 0);
    GlutCallbacks::Motion(0, 0);
    EXPECT_EQ(redisplays, 0) << "the idle loop asks for every frame itself";
    GlutCallbacks::Idle();
    EXPECT_EQ(redisplays, 1);

    GlutCallbacks::postRedisplay = saved;
    GlutCallbacks::SetCurrentApp(nullptr);
}
