#pragma once

// printf-style formatting into a string of exactly the size the format needs,
// so no text is ever cut, however long.

#include <cstddef>
#include <cstdio>
#include <string>

template <typename... Args> std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, args...);
    text.resize(static_cast<std::size_t>(n));
    return text;
}
