#pragma once

// LetterSupply is a language's letters: the tiles blocks are dealt from, the
// points of each letter, and which letters the language has. English is
// built in; another language brings its own in "letters.txt".
//
// Letters are single Latin-1 bytes. Every table here is indexed by the byte
// as an unsigned char, since a char holding Ä is negative where char is
// signed.

#include <string>

class LetterSupply {
public:
    static constexpr int Codes = 256;

    enum LoadResult { Loaded, Missing, Malformed };

    // Empty until Set or Load.
    LetterSupply() = default;

    // The tiles in dealing order with the '?' tiles last, of which the first
    // letterTiles are letters, and the points of A to Z. Only A to Z are
    // letters afterwards.
    void Set(const char* bag, int letterTiles, const int* valuesAtoZ);

    // Reads a letters file: lines of "<letter> <tiles> <points>" and one of
    // "? <tiles>", '#' starting a comment. Missing (nothing changed) when the
    // file is not a regular file that opens; Malformed, with one line on
    // standard error naming the file's line, when a letter byte is unknown or
    // listed twice, a number doesn't parse, or no letter has a tile. Only a
    // Loaded file replaces the supply.
    LoadResult Load(const char* path);

    // Points of a letter; 0 for anything that is not one.
    int Value(char letter) const { return values[static_cast<unsigned char>(letter)]; }
    bool Has(char letter) const { return has[static_cast<unsigned char>(letter)]; }

    // The letter a typed key gives a '?' block, or 0 for none. Lower case is
    // raised (a-z, and à to þ but for the division sign); a letter the
    // language lacks falls back to its unaccented base letter.
    char TypedLetter(int key) const;

    // Upper-case Latin-1 letters: A-Z and À to Þ but for the multiplication sign.
    static bool IsUpperLetter(int code);
    // The base letter of an accented Latin-1 capital (É gives E); the code
    // itself when it has none.
    static int FoldAccent(int code);

    std::string tiles;   // letters in dealing order, then the '?' tiles
    int letterTiles = 0; // the tiles before the first '?'
    int values[Codes] = {};
    bool has[Codes] = {}; // listed by the language, even with no tiles
};
