// The Windows test build's message box: it adds the text to the file that
// GLYPHTUMBLE_MESSAGE_BOX names, for tests/windows/run-under-wine to read.

#include <cstdio>
#include <cstdlib>

#include "app/PlayerMessages.h"

void ShowMessageBox(const char* text) {
    if (std::FILE* out = std::fopen(std::getenv("GLYPHTUMBLE_MESSAGE_BOX") ?: "", "a")) {
        std::fputs(text, out);
        std::fclose(out);
    }
}
