// Writes the web page of the window from its control table and its texts, so
// that the page and the desktop window share one description.
#pragma once

#include "design/colours.h"
#include "design/control_table.h"
#include "design/fonts.h"

#include <span>
#include <string>
#include <string_view>

namespace vorlaine::web {

// The markup of every control, placed by placement_rules; the children of the frame are placed
// inside it, its options inside one named radio group that takes no room of its own.
std::string controls_markup(std::span<const design::ControlSpec> table,
                            std::string_view picture_svg);

// The style rules that place the window and each control at its table
// rectangle in CSS pixels, last in the page's style sheet so that only the
// sheet's !important rules (the phone's layout) override them. Rules rather
// than style attributes keep the page's policy free of 'unsafe-hashes'.
std::string placement_rules(std::span<const design::ControlSpec> table);

// The window's texts, start state, 清除's order, results and what a screen
// reader hears, as the JSON object the page's script reads.
std::string window_texts_json();

// The page: `page_template` with its @NAME@ fields filled in. The stylesheet
// and the script go into the page itself (@STYLE@, @SCRIPT@), so that the
// window is drawn without waiting for more files. Throws std::invalid_argument
// when one of them holds the tag that would end its element early.
std::string page_markup(std::string_view page_template, std::string_view picture_svg,
                        std::string_view style, std::string_view script);

// A colour of the design as CSS writes it (#rrggbb), a font list as a
// font-family value, and the :root rule that names both caption colours and
// both fonts for the stylesheet (--dark-red, --green, --dialog-font, --slogan-font).
std::string css_colour(const design::NamedColour& colour);
std::string css_font_families(const design::FontFamilies& fonts);
std::string style_variables();

// Whether `text` holds `closing_tag` ("</style", "</script"), in any case.
bool holds_closing_tag(std::string_view text, std::string_view closing_tag);

// Text made safe inside HTML text and double-quoted attributes.
std::string html_escaped(std::string_view text);

// A JSON string literal; control characters become escapes.
std::string json_string(std::string_view text);

} // namespace vorlaine::web
