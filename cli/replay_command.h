#pragma once

#include <cstdio>
#include <optional>
#include <string>

// `mirabo-cli replay SCRIPT [--canvas WxH] [--start ["COMMAND LINE"]]`; the
// exit status. Problems go to `err`, the script's own output (states,
// dialogs) to `out`. A script that stops at a bad line ends with
// `badLineStatus`; every other failure with 1.
int replayCommand(int argc, char** argv, std::FILE* out, std::FILE* err, int badLineStatus = 1);

// Runs script text as `replay` would, on a canvas of the given size; with
// `startCommandLine`, after the program's start-up with that command line.
int replayText(const std::string& script, const std::string& name, std::uint16_t canvasWidth,
               std::uint16_t canvasHeight, std::FILE* out, std::FILE* err,
               const std::optional<std::string>& startCommandLine = std::nullopt);

// Parses "WxH" with both sides from 1 to 1024.
bool parseCanvasSize(const std::string& text, std::uint16_t& width, std::uint16_t& height);
