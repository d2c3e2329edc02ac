#include "app/frame/dialogs/hue_colours.h"

#include "platform/gdi/bitmap.h"

HueColour pureHueColour(int hue) {
    const int g = ((hue % hueSteps) + hueSteps) % hueSteps;
    // Each segment ramps one channel; the falling ramps end at 3, not 0, which
    // is what the picker has always shown.
    const int rising = (g % 100) * 255 / 100;
    const int falling = (g / 100 * 100 - g) * 255 / 100 + 255;
    switch (g / 100) {
        case 0:
            return {255, rising, 0, Channel::Red};
        case 1:
            return {falling, 255, 0, Channel::Green};
        case 2:
            return {0, 255, rising, Channel::Green};
        case 3:
            return {0, falling, 255, Channel::Blue};
        case 4:
            return {rising, 0, 255, Channel::Blue};
        default:
            return {255, 0, falling, Channel::Red};
    }
}

void fillColourField(platform::Bitmap& field, int hue) {
    const HueColour pure = pureHueColour(hue);
    const std::int32_t width = field.width();
    const std::int32_t height = field.height();
    const std::int32_t scaled[3] = {pure.red * 100 / height, pure.green * 100 / height,
                                    pure.blue * 100 / height};
    const int strongest = int(pure.strongest);
    // Row i counts from the bottom: black there, brightest at the top.
    for (std::int32_t i = 0; i < height; ++i) {
        std::int32_t value[3];
        std::int32_t step[3];
        for (int c = 0; c < 3; ++c)
            value[c] = i * scaled[c];
        for (int c = 0; c < 3; ++c)
            step[c] = c == strongest ? 0 : (value[strongest] - value[c]) / width;
        std::uint8_t* out = field.row(height - 1 - i);
        for (std::int32_t x = 0; x < width; ++x, out += 3) {
            out[0] = std::uint8_t(value[2] / 100);
            out[1] = std::uint8_t(value[1] / 100);
            out[2] = std::uint8_t(value[0] / 100);
            for (int c = 0; c < 3; ++c)
                value[c] += step[c];
        }
    }
}

void fillHueBar(platform::Bitmap& bar) {
    const std::int32_t width = bar.width();
    for (std::int32_t y = 0; y < bar.height(); ++y) {
        std::uint8_t* out = bar.row(y);
        for (std::int32_t x = 0; x < width; ++x, out += 3) {
            const HueColour colour = pureHueColour(x * hueSteps / width);
            out[0] = std::uint8_t(colour.blue);
            out[1] = std::uint8_t(colour.green);
            out[2] = std::uint8_t(colour.red);
        }
    }
}
