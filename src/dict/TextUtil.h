// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

// Small text helpers shared by the searches and the renderers.
namespace TextUtil {

// Text ends at its first NUL byte, as it does in the NUL-terminated buffers the file's words
// are compared in.
inline std::string_view UpToNul(std::string_view s) {
    const std::size_t nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

// White space for the forward searches: bytes 09-0D and 20.
inline bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace TextUtil
