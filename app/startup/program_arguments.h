#pragma once

#include <string>
#include <string_view>

// What the program was started with. The desktop's open command and a second
// start pass "file:PATH"; people at a terminal type the document's path as
// it is. Both become the one command line the program interprets.
struct ProgramArguments {
    enum class Request { Run, Help, Version };
    Request request = Request::Run;
    // With `Run`: the arguments joined by single spaces, as the system gave
    // them (UTF-8, as a rule), without the window toolkit's own options
    // ("-platform NAME", "-style=NAME", "-reverse" and the like). When that names an existing file
    // it is "file:" and the path, so the file is opened; anything else is kept as it is and
    // interpreted as any command line is.
    std::string commandLine;
};

// `argv[1]` to `argv[argc - 1]`. "--help" (or "-h") and "--version" as the
// first argument ask for those texts instead of a run.
ProgramArguments readProgramArguments(int argc, const char* const* argv);

// What "--help" and "--version" print, each ending in a line break.
std::string programHelpText();
std::string programVersionText();

// The command line as the program's own text. Bytes that are not UTF-8 (a
// file name in another encoding) are kept, so the file named is the file
// opened.
std::u16string commandLineText(std::string_view commandLine);
