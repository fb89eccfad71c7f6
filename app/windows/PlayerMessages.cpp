#include "app/PlayerMessages.h"

#include <GL/freeglut.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace {

// The most of the kept text a message box shows: a screenful.
constexpr unsigned MaxShownBytes = 4096;

// The temporary file that keeps standard error when there is no console, open
// for reading apart from the stream; -1 when nothing is kept.
int keptText = -1;

// Whether the parent gave this standard stream a handle that works: a file or
// a pipe it redirected the stream to.
bool HasHandle(DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Points a standard stream (number 1 or 2) at an open descriptor. freopen is
// the usual way, but Wine's C runtime won't reopen a stream that never had a
// handle, as a window program's streams have none; so the descriptor takes
// the stream's number, and the stream is told it.
bool PointStream(std::FILE* stream, int number, int descriptor) {
    if (descriptor < 0 || _dup2(descriptor, number) != 0)
        return false;
    stream->_file = number;
    return true;
}

void ToConsole(std::FILE* stream, int number) {
    const int console = _open("CONOUT$", _O_WRONLY);
    PointStream(stream, number, console);
    if (console >= 0)
        _close(console);
}

// freeglut prints its fatal errors and calls exit(1) itself; this handler
// does the same through the message box.
void GlutError(const char* format, va_list args) {
    std::fputs("freeglut: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    glutExit(); // leaves game mode, as freeglut does before its exit
    std::exit(ShowMessagesOnFailure(1));
}

} // namespace

void OpenPlayerMessages() {
    glutInitErrorFunc(GlutError);
    const bool hasOutput = HasHandle(STD_OUTPUT_HANDLE);
    const bool hasError = HasHandle(STD_ERROR_HANDLE);
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        // Started from a console: the messages appear there, after its
        // prompt unless it waits (start /wait).
        if (!hasOutput)
            ToConsole(stdout, 1);
        if (!hasError)
            ToConsole(stderr, 2);
        return;
    }
    if (hasError)
        return;
    // Double-clicked. _O_TEMPORARY deletes the file once the process ends,
    // however it ends.
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > sizeof folder || GetTempFileNameA(folder, "gly", 0, path) == 0)
        return;
    const int file = _open(path, _O_RDWR | _O_TRUNC | _O_BINARY | _O_TEMPORARY);
    if (file < 0)
        DeleteFileA(path);
    else if (PointStream(stderr, 2, file))
        keptText = file;
    else
        _close(file);
}

int ShowMessagesOnFailure(int status) {
    if (keptText < 0 || status == 0 || std::fflush(stderr) != 0 ||
        _lseek(keptText, 0, SEEK_SET) != 0)
        return status;
    std::string text(MaxShownBytes, '\0');
    const int length = _read(keptText, &text[0], MaxShownBytes);
    _lseek(keptText, 0, SEEK_END); // what is printed next goes after it
    if (length > 0) {
        text.resize(static_cast<size_t>(length));
        ShowMessageBox(text.c_str());
    }
    return status;
}
