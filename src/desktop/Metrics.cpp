// SPDX-License-Identifier: GPL-2.0-or-later
#include "desktop/Metrics.h"

#include <cstdint>
#include <limits>

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t numerator = c < 0 ? -product : product;
    const std::int64_t rounded = numerator >= 0 ? (2 * numerator + divisor) / (2 * divisor)
                                                : -((-2 * numerator + divisor) / (2 * divisor));
    if (rounded > std::numeric_limits<int>::max() || rounded < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(rounded);
}
