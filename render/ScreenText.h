#pragma once

// The texts and text colours of the play screen and the title menu, built
// without any drawing so that their layout can be checked on their own. Each
// text is rebuilt every frame into a temporary string.

#include <string>

// The target word right-aligned in a field of (length / 2 + 8) characters, so
// that its middle falls about eight character cells right of the field start.
// An empty word (no target) gives eight blanks.
std::string TargetLineText(const char* word);

// A status-panel value right-aligned in eight character cells.
std::string PanelValueText(int value);

// A recent-words line: the word left-aligned in ten cells, the points
// right-aligned in six; a longer word pushes the points right.
std::string RecentWordText(const std::string& word, int points);

// Brightness of recent word i (0 the newest): 1.0 falling by 1/12 per entry
// to 1/3 for the ninth, computed in single precision.
float RecentWordFade(int i);

// The colour of recent word i by its flags: the target word red, a chained
// word white, a bonus word yellow, any other pale blue, each scaled by the
// fade. The target rule wins over the others, the chain over the bonus.
void RecentWordColour(int i, int flags, float colour[4]);

// The name typed so far followed by the underscore cursor.
std::string NameFieldText(const std::string& name);

// The title menu's item texts (0 to 4, from the top) and their hints. Item 0
// shows the skill's name and nothing for a skill outside 0..2; an item number
// outside 0..4 gives "".
std::string MenuItemText(int item, int skill, bool showNext);
const char* MenuHintText(int item);

// Brightness of the highlighted menu item: 0.9 at angle 0, pulsing down to
// 0.4 and back five times per turn of the angle.
float MenuHighlightBrightness(double spinAngle);
