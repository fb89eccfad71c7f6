#pragma once

// The fixed colours of the scene: red, green, blue, alpha, each 0 to 1, passed
// to OpenGL by pointer. The level colours cycle every four levels; the index
// is (level - 1) mod 4, see LevelColourIndex.

inline constexpr int LevelColourCount = 4;

inline constexpr float LevelBlockColour[LevelColourCount][4] = {
    {0.5f, 0.7f, 0.9f, 1.0f},  // blue
    {0.5f, 0.9f, 0.65f, 1.0f}, // green, also the "HALL OF FAME" title blocks
    {0.9f, 0.5f, 0.5f, 1.0f},  // red
    {0.85f, 0.5f, 0.9f, 1.0f}, // purple
};
inline constexpr float LevelLetterColour[LevelColourCount][4] = {
    {0.0f, 0.0f, 0.25f, 1.0f}, // navy
    {0.0f, 0.25f, 0.0f, 1.0f},
    {0.25f, 0.0f, 0.0f, 1.0f},
    {0.2f, 0.0f, 0.25f, 1.0f},
};

inline constexpr float BonusBlockColour[4] = {1.0f, 1.0f, 0.75f, 1.0f};
inline constexpr float BonusLetterColour[4] = {0.25f, 0.0f, 0.0f, 1.0f};
inline constexpr float HighlightBlockColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
inline constexpr float HighlightLetterColour[4] = {0.0f, 0.1f, 0.0f, 1.0f};
inline constexpr float LabelColour[4] = {0.5f, 0.6f, 0.7f, 1.0f};
inline constexpr float ValueColour[4] = {0.8f, 0.85f, 1.0f, 1.0f};

// Which row of the level tables a level draws with. Levels start at 1; a
// level below 1 (never set by the game) still gives an index in 0..3.
inline constexpr int LevelColourIndex(int level) {
    const int index = (level - 1) % LevelColourCount;
    return index < 0 ? index + LevelColourCount : index;
}
