#pragma once

// How make_dictionary turns a word of another language's list (UTF-8) into a
// word of the game's (Latin-1 capitals): plain lower-case words, and in
// German also words with one leading capital, its nouns; ß, Œ and Æ written
// out as SS, OE and AE; the language's own letters (German Ä Ö Ü, Spanish Ñ)
// kept and every other accent folded to its base letter.

#include <string>
#include <vector>

// The game's form of one word of the language ("de", "fr", "es", "it",
// "nl"), or "" when the word is left out: an acronym or mixed case, a digit,
// hyphen, apostrophe or any other character, bytes that are not UTF-8, or
// fewer than 3 or more than 11 letters once written out.
std::string FoldWord(const std::string& utf8, const std::string& language);

// Sorts the words by unsigned bytes, as the game searches them, and removes
// the duplicates that folding makes.
void SortWords(std::vector<std::string>& words);
