#pragma once

// Paints the demo picture and writes it to `path` as PPM; the exit status.
int runDemo(const char* path);
