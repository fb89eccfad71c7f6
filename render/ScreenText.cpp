#include "render/ScreenText.h"

#include "app/Format.h"
#include "game/FoundWord.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const char* const SkillNames[] = {"Beginner", "Intermediate", "Advanced"};

const char* const MenuHints[] = {
    "Skill level affects block falling speed and minimum word length",
    "Hiding the Next block earns a 15% score bonus",
    "Start Glyphtumble!",
    "Visit the Hall of Fame",
    "Give your cramped fingers and weary eyeballs a rest",
};

constexpr int MenuItems = 5;

} // namespace

std::string TargetLineText(const char* word) {
    if (word == nullptr)
        word = "";
    const int n = static_cast<int>(std::strlen(word));
    return Format("%*s", n / 2 + 8, word);
}

std::string PanelValueText(int value) {
    return Format("%8d", value);
}

std::string RecentWordText(const std::string& word, int points) {
    return Format("%-10s%6d", word.c_str(), points);
}

float RecentWordFade(int i) {
    // The step is the single-precision 1/12 the fade has always used.
    return static_cast<float>(9 - i) * 0.0833333358f + 0.25f;
}

void RecentWordColour(int i, int flags, float colour[4]) {
    const float k = RecentWordFade(i);
    if (flags & FlagTarget) {
        colour[0] = k;
        colour[1] = 0.2f * k;
        colour[2] = 0.2f * k;
    } else if (flags & FlagChain) {
        colour[0] = k;
        colour[1] = k;
        colour[2] = k;
    } else if (flags & FlagBonus) {
        colour[0] = k;
        colour[1] = k;
        colour[2] = 0.6f * k;
    } else {
        colour[0] = 0.67f * k;
        colour[1] = 0.8f * k;
        colour[2] = 0.93f * k;
    }
    colour[3] = 1.0f;
}

std::string NameFieldText(const std::string& name) {
    return name + "_";
}

std::string MenuItemText(int item, int skill, bool showNext) {
    switch (item) {
    case 0: {
        std::string text = "Skill Level: ";
        if (skill >= 0 && skill <= 2)
            text += SkillNames[skill];
        return text;
    }
    case 1:
        return std::string("Show Next: ") + (showNext ? "Yes" : "No");
    case 2:
        return "Begin Game";
    case 3:
        return "High Scores";
    case 4:
        return "Exit to system";
    default:
        return std::string();
    }
}

const char* MenuHintText(int item) {
    if (item < 0 || item >= MenuItems)
        return "";
    return MenuHints[item];
}

float MenuHighlightBrightness(double spinAngle) {
    return static_cast<float>(0.65 + 0.25 * std::cos(5.0 * spinAngle));
}
