// The design of the main window: every control with its kind, caption,
// position in twips, container, tab index, colour, font and enabled state.
#pragma once

#include <span>
#include <string_view>

namespace vorlaine::design {

enum class Kind { Label, TextBox, Frame, Button, CheckBox, Option, Line, Picture };
enum class Colour { Default, DarkRed, Green };
enum class Font { Dialog, Slogan };

constexpr int kNoTabStop = -1;

struct ControlSpec {
    const char* name;
    Kind kind;
    const char* caption;          // caption, default text, or nothing
    int left, top, width, height; // twips; inside Frame1 relative to the frame
    bool in_frame;
    int tab_index;
    Colour colour = Colour::Default;
    Font font = Font::Dialog;
    bool enabled = true;
    const char* buddy = nullptr;       // the text box a caption label names
    const char* result_name = nullptr; // a result label: what it shows, for screen readers
};

// The window's client area in twips.
constexpr int kFormWidth = 9225;
constexpr int kFormHeight = 7830;

std::span<const ControlSpec> form1_controls();

// The row of the control called `name`; throws std::out_of_range when the
// table has none, in every build type.
const ControlSpec& form1_control(std::string_view name);

// The caption or default text of the control called `name` ("" for none).
std::string_view design_text(std::string_view name);

// The result labels in the order a screen reader hears them.
std::span<const ControlSpec* const> result_rows();

// The caption of the label that names `box`, without its trailing blanks.
std::string_view caption_naming(std::string_view box);

// Twips to logical pixels: 15 twips make one pixel at 96 dots per inch.
constexpr int twips_to_pixels(int twips) {
    return (twips + 7) / 15;
}

} // namespace vorlaine::design
