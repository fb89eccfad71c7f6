// The well, the falling block, the letter supply, the settling of columns and
// the per-frame Update of every screen state.

#include <cmath>
#include <cstdlib>

#include "game/WordGame.h"

namespace {

// The lowest row of a settled column of d letters: a column of up to 8
// letters keeps its top letter in the surface row; a longer one rests on the
// floor.
int SettledFloor(int letters) {
    const int floor = WordGame::SurfaceRow + 1 - letters;
    return floor < 0 ? 0 : floor;
}

} // namespace

char WordGame::PickLetter(bool allowWildcard) {
    const int tiles = allowWildcard ? static_cast<int>(letters.tiles.size()) : letters.letterTiles;
    return letters.tiles[static_cast<size_t>(std::rand() % tiles)];
}

void WordGame::SideStep(int step) {
    const int target = blockColumn + step;
    const int row = static_cast<int>(std::floor(blockHeight));
    if (target < 0 || target >= WellColumns || row < 0 || row >= WellRows)
        return;
    if (well[row][target] == 0)
        blockColumn = target;
}

void WordGame::Settle() {
    for (int column = 0; column < WellColumns; ++column) {
        char letters[WellRows];
        int count = 0;
        for (int row = 0; row < WellRows; ++row)
            if (well[row][column] != 0)
                letters[count++] = well[row][column];

        const int floor = SettledFloor(count);
        for (int row = 0; row < floor; ++row)
            well[row][column] = 0;
        for (int i = 0; i < count; ++i)
            well[floor + i][column] = letters[i];
        const int top = floor + count; // one above the top letter

        // Only the column the block landed in can fill up: all the others
        // were settled before it landed.
        if (top >= WellRows) {
            SetState(GameOver);
            return;
        }
        // The landed block is always the top letter of its column.
        if (column == landingColumn) {
            if (bonusBlock)
                bonusCell = WellCell{column, top - 1};
            if (wildcardBlock)
                wildcardCell = WellCell{column, top - 1};
        }
        for (int row = top; row < WellRows; ++row)
            well[row][column] = 0;
    }
    SetState(WordScan);
}

void WordGame::Fall(double frameTime) {
    const double speed = fastDrop ? FastDropSpeed : fallSpeed;
    double step = speed * frameTime;
    // A step of at most a quarter row examines only the block's own row or
    // the one beneath it. A frame time that is negative or not a number would
    // carry the block out of the well, so it moves nothing.
    if (!(step > 0.0))
        step = 0.0;
    if (step > MaxFallStep)
        step = MaxFallStep;

    const double newHeight = blockHeight - step;
    const int newRow = static_cast<int>(std::floor(newHeight));
    if (newRow >= SurfaceRow && well[newRow][blockColumn] == 0) {
        blockHeight = newHeight;
        return;
    }

    // The block lands where it is; the refused move is not made.
    if (blockLetter == '?')
        blockLetter = PickLetter(false);
    landingColumn = blockColumn;
    const int row = static_cast<int>(std::floor(blockHeight));
    well[row][blockColumn] = blockLetter;
    // An empty column lets the block down to the water; else it lands on letters.
    Announce(row == SurfaceRow ? Sound::LandWater : Sound::LandAir, row);
    SetState(Settling);
}

void WordGame::Update(double frameTime) {
    // Every timer below adds the frame time: a negative one would wind it
    // back and a NaN would stop it for good, so such a frame moves nothing.
    // A frame of no time moves no timer, but settling and the word scan,
    // which take no time, still run.
    if (!(frameTime >= 0.0 && std::isfinite(frameTime)))
        return;
    switch (state) {
    case TitleMenu:
    case HallOfFame:
        spinAngle += frameTime;
        if (spinAngle > TwoPi)
            spinAngle -= TwoPi;
        break;
    case BlockDelay:
        // The timed states compare after adding and start again from zero, so
        // at most one step happens per update and surplus time is dropped.
        delayTime += frameTime;
        if (delayTime >= delayLength) {
            SetState(BlockFalling);
            delayTime = 0.0;
        }
        break;
    case BlockFalling:
        Fall(frameTime);
        break;
    case Settling:
        Settle();
        break;
    case WordScan:
        ScanStep();
        break;
    case WordRemoval:
        RemovalStep(frameTime);
        break;
    case WellSweep:
        sweepTime += frameTime;
        if (sweepTime >= sweepInterval) {
            if (sweepRow >= 0 && sweepRow < WellRows) {
                for (int column = 0; column < WellColumns; ++column)
                    well[sweepRow][column] = 0;
                Announce(Sound::SweepRow, sweepRow);
            }
            ++sweepRow;
            if (sweepRow >= WellRows) {
                AdvanceTarget();
                SetState(BlockDelay);
            }
            sweepTime = 0.0;
        }
        break;
    default: // NewGame, GameOver, Paused: nothing moves
        break;
    }
}
