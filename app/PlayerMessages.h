#pragma once

// Where the player sees what the program prints. On Linux the game writes to
// the terminal it was started from, and these do nothing. On Windows the game
// is a window program, given no console, so its standard error would go
// nowhere: started from a console (cmd, PowerShell) it writes into that one;
// double-clicked, it keeps what it writes and shows it in a message box when
// it ends with a failure. Only the Windows build links app/windows/.

#ifdef _WIN32

// Joins the parent's console when there is one, else keeps standard error in
// a temporary file; a stream the parent redirected is left as it is. Call
// before anything is printed.
void OpenPlayerMessages();

// Shows the kept text in a message box when status is not 0 and something
// was written; returns status.
int ShowMessagesOnFailure(int status);

// The message box. The Windows test build links its own, which records the
// text instead of waiting for a click.
void ShowMessageBox(const char* text);

#else

inline void OpenPlayerMessages() {}
inline int ShowMessagesOnFailure(int status) { return status; }

#endif
