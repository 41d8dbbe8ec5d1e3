#include "command_line.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#ifndef VORLAINE_VERSION
#error "VORLAINE_VERSION must be defined by the build"
#endif

namespace vorlaine::ui {
namespace {

using namespace std::string_view_literals;

// The options QGuiApplication and QApplication read themselves: those that
// take a value, and those that do not.
constexpr std::array kQtOptionsWithValue{
    "platform"sv,    "platformpluginpath"sv, "platformtheme"sv, "plugin"sv,  "qwindowgeometry"sv,
    "qwindowicon"sv, "qwindowtitle"sv,       "session"sv,       "display"sv, "geometry"sv,
    "style"sv,       "stylesheet"sv,         "qmljsdebugger"sv, "name"sv,    "title"sv,
    "visual"sv};
constexpr std::array kQtFlags{"reverse"sv, "widgetcount"sv, "nograb"sv, "dograb"sv, "sync"sv};

constexpr std::string_view kHelp =
    "Usage: vorlaine [OPTION]... [QT-OPTION]...\n"
    "Size a stand-alone solar power system: battery voltage and capacity,\n"
    "panel voltage and power, and the panels' mounting angle. The window's\n"
    "interface is Simplified Chinese.\n"
    "\n"
    "  -h, --help      print this help and exit\n"
    "  -V, --version   print the version and exit\n"
    "\n"
    "Qt's own options are accepted as well, for example -platform wayland,\n"
    "-platform xcb, -display :1 or -style fusion.\n";

bool is_one_of(std::string_view name, std::span<const std::string_view> names) {
    return std::ranges::find(names, name) != names.end();
}

CommandLine refuse(std::string text) {
    return {CommandLine::Action::Refuse,
            "vorlaine: " + std::move(text) + "; try 'vorlaine --help' for the options\n"};
}

} // namespace

CommandLine read_command_line(std::span<char* const> args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h")
            return {CommandLine::Action::Help, std::string(kHelp)};
        if (arg == "--version" || arg == "-V")
            return {CommandLine::Action::Version, "vorlaine " VORLAINE_VERSION "\n"};
        // Qt takes its options with one dash or two.
        std::string_view name = arg;
        if (name.starts_with("--"))
            name.remove_prefix(2);
        else if (name.starts_with('-'))
            name.remove_prefix(1);
        else
            return refuse("unexpected argument '" + std::string(arg) + "'");
        if (is_one_of(name, kQtFlags))
            continue;
        if (!is_one_of(name, kQtOptionsWithValue))
            return refuse("unknown option '" + std::string(arg) + "'");
        if (++i == args.size())
            return refuse("option '" + std::string(arg) + "' needs a value");
    }
    return {};
}

int answer(const CommandLine& command) {
    switch (command.action) {
    case CommandLine::Action::OpenWindow:
        return -1;
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        std::fputs(command.message.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case CommandLine::Action::Refuse:
        std::fputs(command.message.c_str(), stderr);
        return 2;
    }
    return 2;
}

} // namespace vorlaine::ui
