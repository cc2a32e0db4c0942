// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

// The resource ids of the buttons' bitmaps (":/bitmaps/<id>.bmp"), written down once.
namespace BitmapIds {

// One button picture in its four variants: small or large layout, high colour or 256 colours.
struct SVariants {
    int smallHigh;
    int smallPalette;
    int largeHigh;
    int largePalette;

    constexpr int Pick(bool bLarge, bool bHighColour) const {
        if (bLarge)
            return bHighColour ? largeHigh : largePalette;
        return bHighColour ? smallHigh : smallPalette;
    }
};

constexpr SVariants kAlwaysOnTopOn{164, 190, 160, 188};
constexpr SVariants kAlwaysOnTopOff{167, 191, 161, 189};
constexpr SVariants kHistoryShown{187, 202, 159, 200};
constexpr SVariants kHistoryHidden{186, 203, 158, 201};
constexpr SVariants kPrint{163, 199, 155, 196};
constexpr SVariants kExit{168, 204, 153, 180};
constexpr SVariants kHelp{215, 214, 212, 213};
constexpr SVariants kClearHistory{193, 195, 192, 194};
// The frame every bitmap button shows while it is pressed.
constexpr SVariants kPressed{169, 209, 162, 208};

constexpr std::array<SVariants, 9> kAllButtons{kAlwaysOnTopOn, kAlwaysOnTopOff, kHistoryShown,
                                               kHistoryHidden, kPrint,          kExit,
                                               kHelp,          kClearHistory,   kPressed};

// The index buttons, one size for every layout: the index in use shows its "active" picture.
constexpr int kEnglishActive = 219;
constexpr int kEnglishInactive = 218;
constexpr int kLithuanianActive = 217;
constexpr int kLithuanianInactive = 216;

} // namespace BitmapIds
