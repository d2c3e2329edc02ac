#include "cli/demo.h"

#include <cstdio>

#include "canvas/canvas.h"
#include "cli/ppm_writer.h"
#include "platform/window/headless_window.h"

int runDemo(const char* path) {
    platform::HeadlessWindow view(240, 268);
    Canvas canvas;
    if (!canvas.create(&view, 600, 600, Canvas::defaultViewWidth, Canvas::defaultViewHeight))
        return 1;
    // Drawn straight into the picture, as tools draw their finished work.
    canvas.beginRender(false, 0, 0, 0, nullptr, nullptr, false);
    canvas.drawRectangle(RECT{0, 420, 600, 600}, 0x3C9A4E, 1, true);     // meadow
    canvas.drawEllipse(RECT{430, 50, 530, 150}, 0x00C8FF, 1, true);      // sun
    canvas.drawRectangle(RECT{120, 260, 320, 440}, 0x2A5CB8, 4, false);  // house
    POINT roof[3] = {{100, 270}, {220, 160}, {340, 270}};
    canvas.drawPolyline(roof, 3, 6, 0x1F1FA0, 0);
    canvas.drawEllipse(RECT{190, 320, 250, 380}, 0x000000, 3, false);  // window
    canvas.drawText(28, 0x202020, u"DejaVu Sans", u"Mirabo", POINT{360, 480});
    canvas.endRender();
    if (!writeCanvasPpm(canvas, path)) {
        std::fprintf(stderr, "mirabo-cli: cannot write %s\n", path);
        return 1;
    }
    std::printf("wrote %s (600 x 600)\n", path);
    return 0;
}
