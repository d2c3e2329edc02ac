#pragma once

#include <cstdio>

// `mirabo-cli convert IN OUT [--crop]` and `mirabo-cli info FILE`; the exit
// status. Arguments follow the command name.
//
// A file that cannot be read gets one line on `err` naming it and saying
// what is wrong (missing, not permitted, not such a file, an unsupported
// variant and which, cut short or corrupt, a picture too large), status 1,
// and nothing is written. `info` prints only the header fields it could
// make sense of, then that line when the file would not be read.
int convertCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
int infoCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
