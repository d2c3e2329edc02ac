#pragma once

#include <cstdio>

// `mirabo-cli replay` as the program runs it: the exit status is 0 when the
// script ran to its end, 2 when it stopped at a bad line, 1 when it could
// not start (arguments, an unreadable script, no memory). Messages go to
// `err` as replayCommand writes them.
int replayWithStatus(int argc, char** argv, std::FILE* out, std::FILE* err);
