#pragma once

// Opening a file that the game reads whole: the word list and the images.

#include <cstdio>

// The file at path opened for binary reading, when it is a regular file; its
// size goes to *size when size is given. Null for anything else: a named pipe
// would block the open, a folder has nothing to read, and a device such as
// /dev/zero never ends.
std::FILE* OpenRegularFile(const char* path, long long* size = nullptr);
