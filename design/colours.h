// The window's only colours of its own: the captions drawn dark red or green.
// Everything else (background, text, greyed) is the system's on the desktop
// and the page's style sheet in a browser. These are the colours as designed,
// on a light window; the desktop lightens them on a dark one.
#pragma once

#include "control_table.h"

#include <cstdint>
#include <string_view>

namespace vorlaine::design {

struct NamedColour {
    std::string_view name; // the page's class and variable, --name
    std::uint32_t rgb;     // 0xRRGGBB
};

inline constexpr NamedColour kDarkRedColour{"dark-red", 0xc00000};
inline constexpr NamedColour kGreenColour{"green", 0x008000};

// A caption's own colour while enabled; nothing for the window's text colour.
constexpr const NamedColour* caption_colour(Colour colour) {
    return colour == Colour::DarkRed ? &kDarkRedColour
           : colour == Colour::Green ? &kGreenColour
                                     : nullptr;
}

} // namespace vorlaine::design
