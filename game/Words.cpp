// Word detection: the scan of every row and column run, the choice of words
// inside a run, and the crediting and removal of the words found.

#include <cstring>

#include "game/WordGame.h"

void WordGame::ScanWell() {
    // Rows from the top down, each from the left; then columns from the left,
    // each from the top. This order is the order of crediting and so decides
    // each word's chain multiplier.
    for (int row = WellRows - 1; row >= 0; --row) {
        int column = 0;
        while (column < WellColumns) {
            if (well[row][column] == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < WellColumns && well[row][column] != 0)
                ++column;
            if (column - first >= minWordLength)
                SearchRun(first, row, column - first, false);
        }
    }
    for (int column = 0; column < WellColumns; ++column) {
        int row = WellRows - 1;
        while (row >= 0) {
            if (well[row][column] == 0) {
                --row;
                continue;
            }
            const int top = row;
            while (row >= 0 && well[row][column] != 0)
                --row;
            if (top - row >= minWordLength)
                SearchRun(column, top, top - row, true);
        }
    }
}

void WordGame::SearchRun(int column, int row, int length, bool vertical) {
    // The run must lie inside the well.
    if (length <= 0 || column < 0 || row >= WellRows)
        return;
    if (vertical ? (column >= WellColumns || row - length + 1 < 0)
                 : (row < 0 || column + length > WellColumns))
        return;

    char run[WellRows + 1];
    for (int i = 0; i < length; ++i)
        run[i] = vertical ? well[row - i][column] : well[row][column + i];

    // From each start the longest word is taken whose last letter lies beyond
    // the last letter of the word taken before it: required is the shortest
    // length that reaches past it, never below the minimum word length.
    //
    // The candidates of one start all begin with its shortest one, and a
    // candidate can only be a word if some word begins with it. So the
    // candidates are grown from the shortest, one lower-bound search each,
    // until no word begins with them; the longest that is a word itself is
    // the one taken. This finds what trying every candidate from the longest
    // down would find, with a fraction of the searches.
    const int minimum = minWordLength;
    int required = minimum;
    char candidate[WellRows + 1];
    for (int start = 0; start < length - 2; ++start) {
        int longest = 0;
        int first = 0; // every word before this one sorts below the candidate
        for (int letters = 1; start + letters <= length; ++letters) {
            candidate[letters - 1] = run[start + letters - 1];
            candidate[letters] = '\0';
            if (letters < required)
                continue;
            first = FirstWordFrom(candidate, first);
            const char* word = dictionary.WordAt(first);
            if (std::strncmp(word, candidate, letters) != 0)
                break; // no word begins with these letters
            if (word[letters] == '\0')
                longest = letters;
        }
        if (longest > 0) {
            FoundWord found;
            found.word.assign(candidate, longest);
            found.column = vertical ? column : column + start;
            found.row = vertical ? row - start : row;
            found.length = longest;
            found.vertical = vertical;
            ScoreWord(found);
            foundWords.push_back(found);
            required = longest + 1;
        }
        if (--required < minimum)
            required = minimum;
    }
}

int WordGame::FirstWordFrom(const char* letters, int first) const {
    // The word list is in ascending byte order, the order Find relies on.
    int end = dictionary.count;
    while (first < end) {
        const int middle = first + (end - first) / 2;
        if (std::strcmp(dictionary.WordAt(middle), letters) < 0)
            first = middle + 1;
        else
            end = middle;
    }
    return first;
}

void WordGame::ScanStep() {
    foundWords.clear();
    ScanWell();
    // Only the first scan after a landing sees the bonus and the wildcard.
    bonusBlock = false;
    wildcardBlock = false;
    SetState(foundWords.empty() ? BlockDelay : WordRemoval);
}

void WordGame::RemovalStep(double frameTime) {
    revealTime += frameTime;
    if (revealTime < revealInterval)
        return;

    if (revealIndex >= 0 && revealIndex < static_cast<int>(foundWords.size())) {
        // The level rises before the word's own points are added; the points
        // were fixed when the word was found.
        const FoundWord& credited = foundWords[revealIndex];
        // A chain climbs a scale: each further word of one landing a step higher.
        Announce(credited.flags & FlagTarget  ? Sound::Target
                 : credited.flags & FlagBonus ? Sound::BonusWord
                                              : Sound::Word,
                 chainStep++);
        ++wordsMade;
        if (wordsPerLevel > 0 && wordsMade % wordsPerLevel == 0) {
            SetLevel(level + 1);
            Announce(Sound::LevelUp, level);
        }
        recentWords.push_front(credited);
        while (static_cast<int>(recentWords.size()) > MaxRecentWords)
            recentWords.pop_back();
        score = AddPoints(score, credited.points);
    }
    revealTime = 0.0;
    ++revealIndex;
    if (revealIndex < static_cast<int>(foundWords.size()))
        return;

    if (targetMade) {
        // The sweep empties the whole well, so the words stay until then.
        SetState(WellSweep);
        return;
    }
    for (const FoundWord& found : foundWords)
        for (int i = 0; i < found.length; ++i) {
            if (found.vertical)
                well[found.row - i][found.column] = 0;
            else
                well[found.row][found.column + i] = 0;
        }
    SetState(Settling);
}
