// SPDX-License-Identifier: GPL-2.0-or-later
#include "LithuanianPrefixes.h"

#include <algorithm>
#include <array>

const std::vector<std::string>& LithuanianPrefixes() {
    static const std::vector<std::string> prefixes = [] {
        const std::array<const char*, 5> outer = {"", "ne", "nebe", "te", "tebe"};
        const std::array<const char*, 17> verbal = {"",      "ap", "api",   "at",  "ati", "\xE1",
                                                    "i\xF0", "nu", "pa",    "par", "per", "pra",
                                                    "pri",   "su", "u\xFE", "be",  "prie"};
        std::vector<std::string> out;
        for (const char* o : outer)
            for (const char* v : verbal) {
                const std::string p = std::string(o) + v;
                if (!p.empty())
                    out.push_back(p);
                if (*v != '\0')
                    out.push_back(p + "si");
            }
        std::stable_sort(out.begin(), out.end(),
                         [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        // "nebe" is ne + be as well as itself: each prefix once.
        std::vector<std::string> unique;
        for (const std::string& p : out)
            if (std::find(unique.begin(), unique.end(), p) == unique.end())
                unique.push_back(p);
        return unique;
    }();
    return prefixes;
}
