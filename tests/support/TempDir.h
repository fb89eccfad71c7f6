#pragma once

// A fresh temporary folder for one test, removed with everything in it when
// the object goes. Optionally the working directory moves into it for the
// object's life (the game reads and writes its files there).

#include <string>

class TempDir {
public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "/" + name; }
    // Writes bytes to a file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // The whole contents of a file ("" when it can't be read).
    static std::string Read(const std::string& file);

private:
    std::string path;
    std::string previous; // working directory to return to, when entered
};
