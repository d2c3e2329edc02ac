#pragma once

#include <string>
#include <string_view>

// What a command line asks of the program. The one form understood is the
// verb "file" (in any letter case), a colon and a path, as the desktop's
// open command passes a document; the first colon splits, so the path may
// hold colons of its own. "file" alone asks for the Open dialog.
struct CommandLineRequest {
    bool openFile = false;
    std::u16string path;  // empty: let the user choose
};

CommandLineRequest interpretCommandLine(std::u16string_view commandLine);
