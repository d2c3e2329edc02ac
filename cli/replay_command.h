#pragma once

#include <cstdio>
#include <string>

// `mirabo-cli replay SCRIPT [--canvas WxH]`; the exit status. Problems go to
// `err`, the script's own output (states, dialogs) to `out`.
int replayCommand(int argc, char** argv, std::FILE* out, std::FILE* err);

// Runs script text as `replay` would, on a canvas of the given size.
int replayText(const std::string& script, const std::string& name, std::uint16_t canvasWidth,
               std::uint16_t canvasHeight, std::FILE* out, std::FILE* err);

// Parses "WxH" with both sides from 1 to 1024.
bool parseCanvasSize(const std::string& text, std::uint16_t& width, std::uint16_t& height);
