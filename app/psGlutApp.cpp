#include "app/psGlutApp.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <cstdio>
#include <ctime>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The one application object every callback dispatches through.
psGlutApp* currentApp = nullptr;

// The last four counter readings, oldest first, and the counter's rate.
constexpr int TimerSampleCount = 4;
std::int64_t timerSamples[TimerSampleCount];
double timerFrequency = 0.0;

// GLUT's display mode: RGB colour, double buffering, a depth buffer; no alpha
// or stencil planes.
constexpr unsigned DisplayMode = GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH;
static_assert(DisplayMode == 18, "RGB, double-buffered, with depth");

void PostRedisplay() { glutPostRedisplay(); }

// While the idle loop runs, every update is followed by a frame, so input
// never asks for one of its own.
void RedisplayUnlessIdle() {
    if (currentApp->idleCount <= 0)
        GlutCallbacks::postRedisplay();
}

} // namespace

psGlutApp::psGlutApp()
    : width(0), height(0), screenMode(0), idleCount(0), sampleCount(0), frameTime(0.02),
      windowOpen(false) {}

void psGlutApp::Keyboard(int, int, int) {}
void psGlutApp::KeyboardUp(int, int, int) {}
void psGlutApp::Special(int, int, int) {}
void psGlutApp::SpecialUp(int, int, int) {}
void psGlutApp::Reshape(int, int) {}
void psGlutApp::Update(double) {}
void psGlutApp::Display() {}
void psGlutApp::MouseDown(int, int, int) {}
void psGlutApp::MouseUp(int, int, int) {}
void psGlutApp::Motion(int, int) {}
void psGlutApp::PassiveMotion(int, int) {}

void psGlutApp::OpenWindow(int width, int height, int depth, int screenMode, const char* title) {
    this->width = width;
    this->height = height;
    this->screenMode = screenMode;
    this->title = title;

    glutInitDisplayMode(DisplayMode);
    if (screenMode >= 2) {
        char mode[64];
        int n = std::snprintf(mode, sizeof mode, "%dx%d", width, height);
        if (depth > 0)
            std::snprintf(mode + n, sizeof mode - n, ":%d", depth);
        glutGameModeString(mode);
        glutEnterGameMode();
        windowOpen = glutGameModeGet(GLUT_GAME_MODE_ACTIVE) != 0;
        if (windowOpen)
            return;
        // Most displays today can't switch resolution, and freeglut then goes
        // on without any window at all; a full-screen window at the desktop
        // resolution is the nearest thing that works.
        std::fprintf(stderr,
                     "psGlutApp::OpenWindow(): Couldn't switch the display to %s, "
                     "using a full-screen window instead.\n",
                     mode);
        this->screenMode = 1;
    }
    glutInitWindowSize(width, height);
    glutCreateWindow(title);
    windowOpen = true;
    if (this->screenMode == 1)
        glutFullScreen();
}

void psGlutApp::Run() {
    if (!InitTimer()) {
        std::fputs("psGlutApp::Run(): Couldn't initialize timer!\n", stderr);
        return;
    }
    currentApp = this;
    glutReshapeFunc(GlutCallbacks::Reshape);
    glutKeyboardFunc(GlutCallbacks::Keyboard);
    glutKeyboardUpFunc(GlutCallbacks::KeyboardUp);
    glutSpecialFunc(GlutCallbacks::Special);
    glutSpecialUpFunc(GlutCallbacks::SpecialUp);
    glutDisplayFunc(GlutCallbacks::Display);
    glutMouseFunc(GlutCallbacks::Mouse);
    glutMotionFunc(GlutCallbacks::Motion);
    glutPassiveMotionFunc(GlutCallbacks::PassiveMotion);
    glutMainLoop();
}

void psGlutApp::EnableIdle() {
    if (idleCount == 0) {
        sampleCount = 0;
        // Without a window there is no GLUT to register with; the count still
        // records the request.
        if (windowOpen)
            glutIdleFunc(GlutCallbacks::Idle);
    }
    ++idleCount;
}

void psGlutApp::Begin2D() {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void psGlutApp::End2D() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

void psGlutApp::DrawBitmapText(int x, int y, const char* text, void* font) {
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c)
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
}

void psGlutApp::UpdateFrameTime() { AddFrameSample(ReadTimer()); }

void psGlutApp::AddFrameSample(std::int64_t ticks) {
    if (sampleCount < TimerSampleCount) {
        timerSamples[sampleCount++] = ticks;
    } else {
        for (int i = 0; i < TimerSampleCount - 1; ++i)
            timerSamples[i] = timerSamples[i + 1];
        timerSamples[TimerSampleCount - 1] = ticks;
    }
    if (sampleCount > 1)
        frameTime = TicksToSeconds(timerSamples[sampleCount - 1] - timerSamples[0]) /
                    (sampleCount - 1);
}

void psGlutApp::DrawFrameRate() {
    // The text is formatted only on every 25th frame, so the readout stays
    // legible and costs nothing in between.
    static char text[16] = "";
    static int frames = 0;
    if (++frames == 25) {
        std::snprintf(text, sizeof text, "%8.2f", 1.0 / frameTime);
        frames = 0;
    }
    glColor3f(0.35f, 0.35f, 0.35f);
    DrawBitmapText(width - 64, height - 15, text, GLUT_BITMAP_8_BY_13);
}

#ifdef _WIN32

bool InitTimer() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) {
        std::fputs("System does not support a high-resolution performance counter.\n", stderr);
        return false;
    }
    timerFrequency = static_cast<double>(frequency.QuadPart);
    return true;
}

std::int64_t ReadTimer() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

#else

bool InitTimer() {
    timespec resolution;
    if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0) {
        std::fputs("System does not support a high-resolution performance counter.\n", stderr);
        return false;
    }
    timerFrequency = 1e9; // ReadTimer counts nanoseconds
    return true;
}

std::int64_t ReadTimer() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

#endif

double TicksToSeconds(std::int64_t ticks) { return ticks / timerFrequency; }

namespace GlutCallbacks {

void (*postRedisplay)() = PostRedisplay;

void SetCurrentApp(psGlutApp* app) { currentApp = app; }

psGlutApp* CurrentApp() { return currentApp; }

void Reshape(int w, int h) {
    glViewport(0, 0, w, h);
    currentApp->width = w;
    currentApp->height = h;
    currentApp->Reshape(w, h);
}

void Display() {
    currentApp->Display();
    if (currentApp->idleCount > 0) {
        currentApp->UpdateFrameTime();
        currentApp->Begin2D();
        currentApp->DrawFrameRate();
        currentApp->End2D();
    }
    glutSwapBuffers();
}

void Idle() {
    currentApp->Update(currentApp->frameTime);
    postRedisplay();
}

void Keyboard(unsigned char key, int x, int y) {
    currentApp->Keyboard(key, x, y);
    RedisplayUnlessIdle();
}

void KeyboardUp(unsigned char key, int x, int y) {
    currentApp->KeyboardUp(key, x, y);
    RedisplayUnlessIdle();
}

void Special(int key, int x, int y) {
    currentApp->Special(key, x, y);
    RedisplayUnlessIdle();
}

void SpecialUp(int key, int x, int y) {
    currentApp->SpecialUp(key, x, y);
    RedisplayUnlessIdle();
}

void Mouse(int button, int state, int x, int y) {
    if (state == GLUT_DOWN)
        currentApp->MouseDown(button, x, y);
    else if (state == GLUT_UP)
        currentApp->MouseUp(button, x, y);
    RedisplayUnlessIdle();
}

void Motion(int x, int y) {
    currentApp->Motion(x, y);
    RedisplayUnlessIdle();
}

void PassiveMotion(int x, int y) { currentApp->PassiveMotion(x, y); }

} // namespace GlutCallbacks
