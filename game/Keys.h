#pragma once

// Key codes as the window system delivers them: character keys as their code,
// the arrow keys as GLUT's special-key codes.

constexpr int KeyBackspace = 8;
constexpr int KeyTab = 9;
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;
constexpr int KeySpace = 32;

constexpr int ArrowLeft = 100;
constexpr int ArrowUp = 101;
constexpr int ArrowRight = 102;
constexpr int ArrowDown = 103;
// Switches sound off and on, in every state.
constexpr int KeyF2 = 2;
