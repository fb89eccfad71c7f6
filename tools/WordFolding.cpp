#include "tools/WordFolding.h"

#include <algorithm>

namespace {

constexpr size_t ShortestWord = 3;
constexpr size_t LongestWord = 11; // a row holds 11

// One code point from utf8 at i, moving i past it; -1 when the bytes there
// are not UTF-8 of two bytes or one (every letter kept lies below U+0180).
long NextCodePoint(const std::string& utf8, size_t& i) {
    const unsigned char first = static_cast<unsigned char>(utf8[i++]);
    if (first < 0x80)
        return first;
    if (first < 0xC2 || first > 0xDF || i >= utf8.size())
        return -1;
    const unsigned char second = static_cast<unsigned char>(utf8[i++]);
    if ((second & 0xC0) != 0x80)
        return -1;
    return ((first & 0x1F) << 6) | (second & 0x3F);
}

bool IsLower(long c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || c == 0x153;
}
bool IsUpper(long c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x152;
}
long Lower(long c) { return c == 0x152 ? 0x153 : c + 0x20; }

// The capitals a lower-case letter is written as; "" for one not taken.
std::string Capitals(long c, const std::string& language) {
    if (c >= 'a' && c <= 'z')
        return std::string(1, static_cast<char>(c - 'a' + 'A'));
    if (c == 0xDF)
        return "SS";
    if (c == 0x153)
        return "OE";
    if (c == 0xE6)
        return "AE";
    const bool own = (language == "de" && (c == 0xE4 || c == 0xF6 || c == 0xFC)) ||
                     (language == "es" && c == 0xF1);
    if (own)
        return std::string(1, static_cast<char>(c - 0x20));
    // à to ÿ: their base letters; ð, þ and the rest have none.
    static const char bases[] = "aaaaaa\0ceeeeiiii\0nooooo\0ouuuuy\0y";
    static_assert(sizeof(bases) - 1 == 0x100 - 0xE0, "one base per letter from à to ÿ");
    if (c >= 0xE0 && c <= 0xFF && bases[c - 0xE0] != '\0')
        return std::string(1, static_cast<char>(bases[c - 0xE0] - 'a' + 'A'));
    return "";
}

} // namespace

std::string FoldWord(const std::string& utf8, const std::string& language) {
    std::string word;
    for (size_t i = 0, letters = 0; i < utf8.size(); ++letters) {
        long c = NextCodePoint(utf8, i);
        // German's nouns begin with their one capital; an acronym or a
        // capital further in is left out, in every language.
        if (IsUpper(c) && letters == 0 && language == "de")
            c = Lower(c);
        if (!IsLower(c))
            return "";
        const std::string capitals = Capitals(c, language);
        if (capitals.empty())
            return "";
        word += capitals;
    }
    if (word.size() < ShortestWord || word.size() > LongestWord)
        return "";
    return word;
}

void SortWords(std::vector<std::string>& words) {
    // std::string compares its bytes as unsigned char, as the game does.
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
}
