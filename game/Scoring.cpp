// Points, levels and the target word.

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/WordGame.h"

namespace {

// Shortest word a scan accepts, by skill (rows) and level band (columns:
// levels 1 to 3, level 4, levels 5 and 6, level 7 and above).
constexpr int MinWordLengths[3][4] = {
    {3, 3, 4, 4}, // Beginner
    {3, 4, 4, 5}, // Intermediate
    {4, 4, 5, 5}, // Advanced
};

enum Skill : int { Beginner = 0, Intermediate = 1, Advanced = 2 };

int LevelBand(int level) {
    if (level <= 3)
        return 0;
    if (level == 4)
        return 1;
    if (level <= 6)
        return 2;
    return 3;
}

// Points are 32-bit. A long enough chain doubles its multiplier past that
// range; the points then stay at the largest value instead of wrapping into
// a negative score.
int Saturate(std::int64_t value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

int WordGame::AddPoints(int total, int points) {
    return Saturate(static_cast<std::int64_t>(total) + points);
}

void WordGame::ScoreWord(FoundWord& found) {
    bool coversBonus = false;
    std::int64_t base = 0;
    for (int i = 0; i < found.length; ++i) {
        const int column = found.vertical ? found.column : found.column + i;
        const int row = found.vertical ? found.row - i : found.row;
        if (column < 0 || column >= WellColumns || row < 0 || row >= WellRows)
            continue;
        if (bonusBlock && column == bonusCell.column && row == bonusCell.row)
            coversBonus = true;
        // The letter of a block dealt as '?' scores nothing, whichever letter
        // the player gave it.
        if (wildcardBlock && column == wildcardCell.column && row == wildcardCell.row)
            continue;
        base += LetterValue(well[row][column]);
    }

    int flags = 0;
    if (found.length > 3)
        base += std::int64_t{1} << (found.length - 3);
    if (coversBonus) {
        flags = FlagBonus;
        base *= 2;
    }
    if (chainMultiplier > 1)
        flags |= FlagChain;
    // Every word scored since the block spawned, after later settlings too,
    // counts twice the one before it, in scan order.
    const std::int64_t multiplier = chainMultiplier;
    chainMultiplier = chainMultiplier <= INT_MAX / 2 ? chainMultiplier * 2 : chainMultiplier;

    std::int64_t points = multiplier * base + (multiplier * base * level) / 4;
    if (skill == Advanced)
        points *= 2;
    else if (skill == Intermediate)
        points = (points * 3) / 2;
    if (!showNext)
        points = (points * 23) / 20; // hiding the next block earns 15%

    if (targetIndex >= 0 && found.word == dictionary.WordAt(targetIndex)) {
        targetMade = true;
        flags |= FlagTarget;
        // Not multiplied by chain, level, skill or the hidden next block.
        points += std::int64_t{2} << targetLength;
    }
    found.points = Saturate(points);
    found.flags = flags;
}

void WordGame::SetLevel(int newLevel) {
    level = newLevel;
    UpdateFallSpeed();
    const int skillRow = (skill >= Beginner && skill <= Advanced) ? skill : Beginner;
    minWordLength = MinWordLengths[skillRow][LevelBand(level)];
    if (targetLength < minWordLength)
        PickTargetWord();
}

void WordGame::UpdateFallSpeed() {
    const double steps = level - 1;
    switch (skill) {
    case Advanced:
        fallSpeed = 0.67 + steps * 0.25;
        break;
    case Intermediate:
        fallSpeed = 0.5 + steps * 0.2;
        break;
    default:
        fallSpeed = 0.33 + steps * 0.16666666666666666;
        break;
    }
}

void WordGame::PickTargetWord() {
    if (targetLength < minWordLength)
        targetLength = minWordLength;
    const int count = dictionary.count;
    if (count <= 0) {
        targetIndex = -1;
        return;
    }
    // The product of two draws is taken as unsigned 32-bit so it cannot
    // overflow; clearing the sign bit keeps the index the same for every
    // product that did fit.
    const unsigned first = static_cast<unsigned>(std::rand());
    const unsigned second = static_cast<unsigned>(std::rand());
    const std::uint32_t product = (static_cast<std::uint32_t>(first) * second) & 0x7fffffffu;
    const int candidate = static_cast<int>(product % static_cast<std::uint32_t>(count));

    // Walk on from the candidate to the first word of the asked length. A
    // word list without that length must not stall the game: the walk goes
    // once round the list and takes the first word of the nearest length
    // that has words, the longer before the shorter, within the lengths a
    // target may have (the minimum word length up to maxTargetLength).
    const int longest = targetLength > maxTargetLength ? targetLength : maxTargetLength;
    int best = -1;
    int bestDistance = INT_MAX;
    int bestLength = 0;
    for (int step = 0; step < count; ++step) {
        const int index = (candidate + step) % count;
        const int length = static_cast<int>(std::strlen(dictionary.WordAt(index)));
        if (length == targetLength) {
            targetIndex = index;
            return;
        }
        if (length < minWordLength || length > longest)
            continue;
        const int distance = std::abs(length - targetLength);
        if (distance < bestDistance || (distance == bestDistance && length > bestLength)) {
            best = index;
            bestDistance = distance;
            bestLength = length;
        }
    }
    // Nothing of the asked length: the target takes the length it was found
    // at, so the next target grows from there. No usable word at all leaves
    // no target.
    targetIndex = best;
    if (best >= 0)
        targetLength = bestLength;
}

void WordGame::AdvanceTarget() {
    if (targetLength < maxTargetLength)
        ++targetLength;
    PickTargetWord();
}
