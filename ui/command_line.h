// The program's own options, read before Qt sees the command line.
#pragma once

#include <span>
#include <string>

namespace vorlaine::ui {

struct CommandLine {
    enum class Action { OpenWindow, Help, Version, Refuse };
    Action action = Action::OpenWindow;
    std::string message; // the text to print for Help, Version and Refuse
};

// Reads argv[1...]: --help and --version (also -h, -V), Qt's own options
// (-platform, -style, ...; with one dash or two), and anything else refused.
CommandLine read_command_line(std::span<char* const> args);

// Prints what `command` says (help and version on stdout, a refusal on
// stderr) and returns the exit status, or -1 to go on and open the window.
int answer(const CommandLine& command);

} // namespace vorlaine::ui
