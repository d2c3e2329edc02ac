#pragma once

// The program's version, as the build gives it.
#ifndef MIRABO_VERSION
#define MIRABO_VERSION "1.0"
#endif

inline constexpr const char* miraboVersion = MIRABO_VERSION;
