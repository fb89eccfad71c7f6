#include "game/LetterSupply.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <vector>

#include "data/OpenRegularFile.h"

namespace {

constexpr int Wildcard = '?';
// Far above any real supply; keeps the bag and the points well inside an int.
constexpr int MostTiles = 1000;
constexpr int MostPoints = 1000;
constexpr int LineRoom = 256;

// The base letters of À to Þ, in code order; '\0' where there is none (Æ, Ð,
// the multiplication sign, Þ).
constexpr char AccentBases[] = "AAAAAA\0CEEEEIIII\0NOOOOO\0OUUUUY\0";
static_assert(sizeof(AccentBases) - 1 == 0xDF - 0xC0, "one base per capital from À to Þ");

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A count of at most most, digits only; -1 when it doesn't parse.
int ParseCount(const std::string& field, int most) {
    if (field.empty() || field.size() > 4)
        return -1;
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value <= most ? value : -1;
}

} // namespace

void LetterSupply::Set(const char* bag, int letterCount, const int* valuesAtoZ) {
    tiles = bag;
    letterTiles = letterCount;
    std::memset(values, 0, sizeof values);
    std::memset(has, 0, sizeof has);
    for (int c = 'A'; c <= 'Z'; ++c) {
        values[c] = valuesAtoZ[c - 'A'];
        has[c] = true;
    }
}

LetterSupply::LoadResult LetterSupply::Load(const char* path) {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        struct stat info;
        if (stat(path, &info) != 0)
            return Missing;
        std::fprintf(stderr, "LetterSupply::Load(): %s is not a file that can be read\n", path);
        return Malformed;
    }

    std::string letters, wildcards;
    int newValues[Codes] = {};
    bool listed[Codes] = {};
    bool wildcardListed = false;
    const char* problem = nullptr;
    int lineNumber = 0;
    char line[LineRoom];
    while (problem == nullptr && std::fgets(line, sizeof line, file) != nullptr) {
        ++lineNumber;
        std::string text(line);
        if (text.empty()) {
            problem = "holds a NUL byte";
            break;
        }
        if (text.back() != '\n' && !std::feof(file)) {
            problem = "is too long";
            break;
        }
        text = text.substr(0, text.find_first_of("#\r\n"));
        std::vector<std::string> fields;
        for (size_t at = 0; at < text.size();) {
            if (IsBlank(text[at])) {
                ++at;
                continue;
            }
            size_t end = at;
            while (end < text.size() && !IsBlank(text[end]))
                ++end;
            fields.push_back(text.substr(at, end - at));
            at = end;
        }
        if (fields.empty())
            continue;

        const int code = static_cast<unsigned char>(fields[0][0]);
        if (fields[0].size() != 1 || (code != Wildcard && !IsUpperLetter(code))) {
            problem = "names no upper-case letter";
        } else if (code == Wildcard ? wildcardListed : listed[code]) {
            problem = "lists its letter a second time";
        } else if (fields.size() != (code == Wildcard ? 2u : 3u)) {
            problem =
                code == Wildcard ? "is not \"? <tiles>\"" : "is not \"<letter> <tiles> <points>\"";
        } else {
            const int count = ParseCount(fields[1], MostTiles);
            const int points = code == Wildcard ? 0 : ParseCount(fields[2], MostPoints);
            if (count < 0 || points < 0) {
                problem = "has a number that doesn't parse";
            } else if (code == Wildcard) {
                wildcardListed = true;
                wildcards.assign(static_cast<size_t>(count), '?');
            } else {
                listed[code] = true;
                newValues[code] = points;
                letters.append(static_cast<size_t>(count), static_cast<char>(code));
            }
        }
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);

    if (problem != nullptr) {
        std::fprintf(stderr, "LetterSupply::Load(): %s line %d %s\n", path, lineNumber, problem);
        return Malformed;
    }
    if (readError || letters.empty()) {
        std::fprintf(stderr, "LetterSupply::Load(): %s gives no letter a tile\n", path);
        return Malformed;
    }
    tiles = letters + wildcards;
    letterTiles = static_cast<int>(letters.size());
    std::memcpy(values, newValues, sizeof values);
    std::memcpy(has, listed, sizeof has);
    return Loaded;
}

char LetterSupply::TypedLetter(int key) const {
    int code = key;
    if ((code >= 'a' && code <= 'z') || (code >= 0xE0 && code <= 0xFE && code != 0xF7))
        code -= 'a' - 'A';
    if (!IsUpperLetter(code))
        return 0;
    if (!has[code])
        code = FoldAccent(code);
    return has[code] ? static_cast<char>(code) : 0;
}

bool LetterSupply::IsUpperLetter(int code) {
    return (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7);
}

int LetterSupply::FoldAccent(int code) {
    if (code < 0xC0 || code > 0xDE)
        return code;
    const char base = AccentBases[code - 0xC0];
    return base != '\0' ? base : code;
}
