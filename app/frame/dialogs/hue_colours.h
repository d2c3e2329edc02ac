#pragma once

#include <cstdint>

namespace platform {
class Bitmap;
}

// A hue value of the colour picker, 0..599: six segments of 100 from red
// through yellow, green, cyan, blue and magenta back towards red.
inline constexpr int hueSteps = 600;

enum class Channel { Red, Green, Blue };

// The pure colour of a hue and its strongest channel.
struct HueColour {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
    Channel strongest;
};

// `hue` outside 0..599 is taken modulo 600.
HueColour pureHueColour(int hue);

// The colour field of one hue (24 bits): full brightness along the top row
// fading to black at the bottom, the pure colour at the left fading to grey
// at the right. All arithmetic is integer, on channel values times 100.
void fillColourField(platform::Bitmap& field, int hue);

// The hue bar (24 bits): column i shows the pure colour of hue
// i x 600 / width, in every row.
void fillHueBar(platform::Bitmap& bar);
