// The message box of app/PlayerMessages.h, apart so that the Windows test
// build can link a box of its own.

#include "app/PlayerMessages.h"

#include <windows.h>

void ShowMessageBox(const char* text) {
    MessageBoxA(nullptr, text, "Glyphtumble", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
