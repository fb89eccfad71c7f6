#include "data/Dictionary.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "data/OpenRegularFile.h"

namespace {

bool WordLess(const char* a, const char* b) { return std::strcmp(a, b) < 0; }

constexpr std::uint64_t Ones = 0x0101010101010101ull;
constexpr std::uint64_t Low7 = 0x7f7f7f7f7f7f7f7full;

// One bit (the top bit of the byte) for every zero byte of x.
inline std::uint64_t ZeroBits(std::uint64_t x) { return ~(((x & Low7) + Low7) | x | Low7); }

// Eight bytes from p with the first byte in memory the most significant, so
// that comparing two of them as numbers compares the bytes in string order.
inline std::uint64_t LoadOrdered(const char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? __builtin_bswap64(x) : x;
}

// Whether a sorts no later than b, both NUL-terminated inside a buffer that
// ends at limit. Most words share a short prefix with their neighbour, so
// eight bytes are compared at a time where the buffer allows.
bool NotAfter(const char* a, const char* b, const char* limit) {
    while (a + 8 <= limit && b + 8 <= limit) {
        const std::uint64_t x = LoadOrdered(a);
        const std::uint64_t y = LoadOrdered(b);
        const std::uint64_t zeros = ZeroBits(x);
        if (x != y) {
            // The first difference decides, unless a ends before it.
            const int differ = __builtin_clzll(x ^ y) / 8;
            const int ends = zeros ? __builtin_clzll(zeros) / 8 : 8;
            return ends < differ || x < y;
        }
        if (zeros != 0)
            return true; // the same word
        a += 8;
        b += 8;
    }
    return std::strcmp(a, b) <= 0;
}

bool InByteOrder(const std::vector<char*>& words, const char* limit) {
    for (size_t i = 1; i < words.size(); ++i)
        if (!NotAfter(words[i - 1], words[i], limit))
            return false;
    return true;
}

// One bit (the top bit of the byte) for every byte of x equal to '\n'.
inline std::uint64_t NewlineBits(std::uint64_t x) { return ZeroBits(x ^ (Ones * '\n')); }

} // namespace

Dictionary::Dictionary() : count(-1), text(nullptr) {}

Dictionary::~Dictionary() { Clear(); }

void Dictionary::Clear() {
    words.clear();
    delete[] text;
    text = nullptr;
    count = -1;
}

int Dictionary::Load(const char* path) {
    Clear();
    // A directory, a pipe or a device of that name counts as a file that
    // can't be read.
    long long fileSize = 0;
    std::FILE* file = OpenRegularFile(path, &fileSize);
    if (file == nullptr)
        return -1;
    // The largest real word list is a few megabytes. A file far larger (a
    // sparse file, or the wrong file under this name) is refused before its
    // buffer is asked for, which could otherwise end the game.
    if (fileSize > MaxFileSize) {
        std::fprintf(stderr, "Dictionary::Load(): %s is %lld bytes, more than a word list may hold\n",
                     path, fileSize);
        std::fclose(file);
        return -1;
    }
    const size_t size = static_cast<size_t>(fileSize);
    text = new char[size + 1];
    const size_t length = std::fread(text, 1, size, file);
    std::fclose(file);
    text[length] = '\0';

    // The index costs a pointer a line, and an unordered list a sort: a file
    // of nothing but newlines would cost eight times its size and seconds.
    const size_t lines = static_cast<size_t>(std::count(text, text + length, '\n'));
    if (lines > MaxWords) {
        std::fprintf(stderr, "Dictionary::Load(): %s has %lld lines, more than a word list may hold\n",
                     path, static_cast<long long>(lines));
        Clear();
        return -1;
    }
    words.reserve(lines);
    IndexLines(length);
    CutWords();

    // Lookup is a binary search in byte order. A list sorted another way (by
    // locale, or a player's own list) would make it miss words silently, so
    // such an index is put in order; an ordered file's index stays as it is.
    if (!InByteOrder(words, text + length + 1))
        std::stable_sort(words.begin(), words.end(), WordLess);

    count = static_cast<int>(words.size());
    return count;
}

void Dictionary::IndexLines(size_t length) {
    // Each line that ends in a newline starts a word; a last line without one
    // does not. Eight bytes are looked at a time, since a line is only a few
    // bytes long and a search call per line would cost more than the line.
    char* start = text;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, text + i, 8);
        if (std::uint64_t bits = NewlineBits(chunk)) {
            // The first byte in memory is the lowest of the word on a
            // little-endian machine and the highest on a big-endian one.
            constexpr bool little = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
            do {
                const int bit = little ? __builtin_ctzll(bits) : 63 - __builtin_clzll(bits);
                const size_t at = i + (little ? bit / 8 : 7 - bit / 8);
                words.push_back(start);
                start = text + at + 1;
                bits &= ~(std::uint64_t{1} << bit);
            } while (bits != 0);
        }
    }
    for (; i < length; ++i) {
        if (text[i] == '\n') {
            words.push_back(start);
            start = text + i + 1;
        }
    }
    cutEnd = start;
}

void Dictionary::CutWords() {
    // Every line end (newline or carriage return) becomes a NUL, so a word is
    // its line up to the first carriage return or the newline; only a-z
    // change, to upper case. A NUL byte inside a line is left as it is: it
    // ends that word early, and the lines after it load as usual. The loop
    // has no branches and vectorizes.
    // The bounds are locals: a store through a char pointer may alias any
    // member, which would stop the compiler from vectorizing.
    unsigned char* const begin = reinterpret_cast<unsigned char*>(text);
    const std::size_t n = static_cast<std::size_t>(cutEnd - text);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char byte = begin[i];
        const bool lineEnd = byte == '\n' || byte == '\r';
        const bool lower = static_cast<unsigned char>(byte - 'a') < 26;
        begin[i] = static_cast<unsigned char>(lineEnd ? 0 : byte - (lower ? 'a' - 'A' : 0));
    }
}

const char* Dictionary::WordAt(int index) const {
    if (index < 0 || index >= count)
        return "";
    return words[index];
}

int Dictionary::Find(const char* word) const {
    if (count <= 0)
        return -1;
    int lo = 0;
    int hi = count - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int order = std::strcmp(word, words[mid]);
        if (order == 0)
            return mid;
        if (order < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return -1;
}
