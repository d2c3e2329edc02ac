#include "canvas/canvas.h"

namespace {

// The scale and origin that map canvas pixels onto the current target. The
// view buffer holds the picture unscaled until it is magnified, so at 100 %
// and above drawing into it maps without scaling; the window always shows
// the zoomed picture, from the client area's origin, and above 100 % it
// starts `fraction` view pixels into the first canvas pixel it shows.
struct DeviceScale {
    int shift;
    std::int32_t factor;
    std::int32_t originX;
    std::int32_t originY;
    std::int32_t fractionX;
    std::int32_t fractionY;
};

}  // namespace

// `scrollX` and `offsetX` (likewise y) are the transform's: on the window,
// canvas pixel x starts at view pixel x * f - scrollX whatever the scroll
// position, while the offset holds whole canvas pixels only.
static DeviceScale deviceScale(bool intoViewBuffer, int zoomShift, std::int32_t zoomFactor,
                               std::int32_t originX, std::int32_t originY, POINT scroll,
                               POINT offset) {
    if (intoViewBuffer) {
        if (zoomShift >= 0) return DeviceScale{0, 1, 0, 0, 0, 0};
        return DeviceScale{zoomShift, zoomFactor, 0, 0, 0, 0};
    }
    if (zoomShift < 0) return DeviceScale{zoomShift, zoomFactor, originX, originY, 0, 0};
    return DeviceScale{zoomShift,
                       zoomFactor,
                       originX,
                       originY,
                       scroll.x + offset.x * zoomFactor,
                       scroll.y + offset.y * zoomFactor};
}

void Canvas::toDevice(POINT* points, std::uint16_t count, std::int16_t* width) const {
    if (renderState_ != RenderState::Mapped) return;
    const DeviceScale d =
        deviceScale(viewSurface_ != nullptr, zoomShift_, zoomFactor_, originX_, originY_,
                    POINT{scrollX_, scrollY_}, POINT{offsetX_, offsetY_});
    if (width) *width = std::int16_t(d.shift >= 0 ? *width * d.factor : *width / d.factor);
    for (std::uint16_t i = 0; i < count; ++i) {
        POINT& p = points[i];
        if (d.shift >= 0) {
            p.x = (p.x + offsetX_) * d.factor - d.fractionX + d.originX;
            p.y = (p.y + offsetY_) * d.factor - d.fractionY + d.originY;
        } else {
            p.x = (p.x + offsetX_) / d.factor + d.originX;
            p.y = (p.y + offsetY_) / d.factor + d.originY;
        }
    }
}

void Canvas::toCanvas(POINT* points, std::uint16_t count) const {
    if (renderState_ != RenderState::Mapped) return;
    const DeviceScale d =
        deviceScale(viewSurface_ != nullptr, zoomShift_, zoomFactor_, originX_, originY_,
                    POINT{scrollX_, scrollY_}, POINT{offsetX_, offsetY_});
    for (std::uint16_t i = 0; i < count; ++i) {
        POINT& p = points[i];
        if (d.shift >= 0) {
            p.x = (p.x - d.originX + d.fractionX) / d.factor - offsetX_;
            p.y = (p.y - d.originY + d.fractionY) / d.factor - offsetY_;
        } else {
            p.x = (p.x - d.originX) * d.factor - offsetX_;
            p.y = (p.y - d.originY) * d.factor - offsetY_;
        }
    }
}

void Canvas::rectToDevice(RECT& rect, std::int16_t* width) const {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    toDevice(corners, 2, width);
    rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}
