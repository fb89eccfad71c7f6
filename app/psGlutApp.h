#pragma once

// psGlutApp is the base class of the one application object. It owns the
// window's size, screen mode and title, opens the window (or enters GLUT game
// mode), turns every GLUT callback into one of its virtual operations, runs the
// idle loop with a high-resolution frame timer and offers a small 2D overlay
// with GLUT bitmap text and a frames-per-second readout.
//
// Nothing here touches GLUT until OpenWindow: a derived game can be built and
// driven by tests with simulated time and key codes, no window needed.

#include <cstdint>
#include <string>

class psGlutApp {
public:
    psGlutApp();
    // Deliberately not virtual: the one object is a local of main and is
    // destroyed there as its exact type.
    ~psGlutApp() = default;

    psGlutApp(const psGlutApp&) = delete;
    psGlutApp& operator=(const psGlutApp&) = delete;

    // Window events, in the order the callbacks are listed. The base versions
    // do nothing. x, y are window pixels, origin at the top left.
    virtual void Keyboard(int key, int x, int y);
    virtual void KeyboardUp(int key, int x, int y);
    virtual void Special(int key, int x, int y);
    virtual void SpecialUp(int key, int x, int y);
    virtual void Reshape(int width, int height);
    virtual void Update(double frameTime);
    virtual void Display();
    virtual void MouseDown(int button, int x, int y);
    virtual void MouseUp(int button, int x, int y);
    virtual void Motion(int x, int y);
    virtual void PassiveMotion(int x, int y);

    // Opens the window, or enters game mode when screenMode is 2 (falling back
    // to a full-screen window when the display can't switch modes). Call once,
    // after glutInit.
    void OpenWindow(int width, int height, int depth, int screenMode, const char* title);
    // Starts the timer, registers the callbacks and enters GLUT's main loop.
    // Returns only when no high-resolution timer exists.
    void Run();
    // Asks for the idle loop. Only the first call registers it; every call
    // counts. Without an open window nothing is registered.
    void EnableIdle();

    // Bracket drawing in window pixels, origin bottom left, over the 3D scene.
    // End2D leaves the matrix mode at GL_PROJECTION.
    void Begin2D();
    void End2D();
    void DrawBitmapText(int x, int y, const char* text, void* font);

    // Used by the display callback only.
    void UpdateFrameTime();
    void DrawFrameRate();
    // One frame-timer step with a given counter reading; UpdateFrameTime
    // passes ReadTimer().
    void AddFrameSample(std::int64_t ticks);

    int width;
    int height;
    int screenMode;
    std::string title;
    int idleCount;   // EnableIdle requests; above 0 the idle callback runs
    int sampleCount; // valid entries of the frame-timer samples, 0..4
    double frameTime; // mean seconds per frame over the last three intervals
    bool windowOpen;  // OpenWindow has run, so GLUT and GL may be called
};

// The monotonic high-resolution counter behind the frame timer.
bool InitTimer();
std::int64_t ReadTimer();
double TicksToSeconds(std::int64_t ticks);

// The GLUT callbacks, reachable for tests of the dispatch rule. Each forwards
// to the object set by Run (or SetCurrentApp) and asks for a redisplay by
// calling postRedisplay, which is glutPostRedisplay unless a test replaces it.
namespace GlutCallbacks {
extern void (*postRedisplay)();
void SetCurrentApp(psGlutApp* app);
psGlutApp* CurrentApp();
void Reshape(int w, int h);
void Display();
void Idle();
void Keyboard(unsigned char key, int x, int y);
void KeyboardUp(unsigned char key, int x, int y);
void Special(int key, int x, int y);
void SpecialUp(int key, int x, int y);
void Mouse(int button, int state, int x, int y);
void Motion(int x, int y);
void PassiveMotion(int x, int y);
} // namespace GlutCallbacks
