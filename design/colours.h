// The window's colours, written once: the desktop's palette and the page's
// stylesheet variables are both made from this table.
#pragma once

#include "control_table.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vorlaine::design {

struct NamedColour {
    std::string_view name; // the page's variable, --name
    std::uint32_t rgb;     // 0xRRGGBB
};

inline constexpr NamedColour kWindowColour{"window", 0xefefef};
inline constexpr NamedColour kGreyedColour{"greyed", 0xa0a0a0};
inline constexpr NamedColour kDarkRedColour{"dark-red", 0xc00000};
inline constexpr NamedColour kGreenColour{"green", 0x008000};
// The page's frame; Qt's Fusion style draws the desktop's from an image of its own.
inline constexpr NamedColour kFrameLineColour{"frame-line", 0xc8c8c8};

inline constexpr std::array kColours{kWindowColour, kGreyedColour, kDarkRedColour, kGreenColour,
                                     kFrameLineColour};

// A caption's own colour while enabled; nothing for the window's text colour.
constexpr const NamedColour* caption_colour(Colour colour) {
    return colour == Colour::DarkRed ? &kDarkRedColour
           : colour == Colour::Green ? &kGreenColour
                                     : nullptr;
}

} // namespace vorlaine::design
