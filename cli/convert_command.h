#pragma once

#include <cstdio>

// `mirabo-cli convert IN OUT [--crop]` and `mirabo-cli info FILE`; the exit
// status. Arguments follow the command name.
int convertCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
int infoCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
