#include "data/HighScoreList.h"

#include "app/Format.h"
#include "image/TextureFont.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr double FooterY = 0.25;
constexpr double FooterSize = 0.75;
const float FooterColour[4] = {0.62f, 0.62f, 0.62f, 1.0f};
constexpr double FirstRowY = 2.0;
constexpr double RowSize = 0.85;
constexpr double RowStep = 0.85;
const float HeaderColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

} // namespace

std::string HallOfFameHeader() {
    return Format("%-27s %5s %7s %9s", "Name", "Skill", "Words", "Score");
}

std::string HallOfFameRow(const HighScoreEntry& entry) {
    char name[sizeof entry.name + 1];
    std::memcpy(name, entry.name, sizeof entry.name);
    name[sizeof entry.name] = '\0';
    return Format("%-27s %5s %7d %9d", name, HighScoreTable::SkillAbbrev(entry.skill),
                  static_cast<int>(entry.words), static_cast<int>(entry.score));
}

float HallOfFameFade(int k) {
    const int n = HighScoreTable::EntryCount - k;
    return static_cast<float>(0.8 - 0.05 * n);
}

void HighScoreTable::DrawList() const {
    if (font == nullptr)
        return;
    font->DrawCentred("- Press any key to continue -", 0.0, FooterY, FooterSize, FooterColour);

    // The lowest score first, at the bottom; an empty entry keeps its row.
    double y = FirstRowY;
    for (int k = 0; k < EntryCount; ++k) {
        if (entries[k].score > 0) {
            const float f = HallOfFameFade(k);
            const float colour[4] = {0.8f * f, 1.0f * f, 0.5f * f, 1.0f};
            font->DrawCentred(HallOfFameRow(entries[k]).c_str(), 0.0, y, RowSize, colour);
        }
        y += RowStep;
    }

    font->DrawCentred(HallOfFameHeader().c_str(), 0.0, y, RowSize, HeaderColour);
}
