#pragma once

#include <cstdint>

// The zoomed picture's extent along one axis, for a canvas side of `size`
// pixels. At 100 % and above the last row and column are not counted, so they
// cannot be scrolled fully into view; that is how the view has always
// scrolled and users' muscle memory relies on it.
constexpr std::int32_t contentExtent(std::uint16_t size, std::int32_t zoomShift) {
    return zoomShift >= 0 ? (std::int32_t(size) - 1) * (std::int32_t(1) << zoomShift)
                          : std::int32_t(size) / (std::int32_t(1) << -zoomShift);
}

// The largest scroll position: how far the content reaches past the client area.
constexpr std::int32_t maxScrollFor(std::int32_t content, std::int32_t client) {
    return content > client ? content - client : 0;
}

// A scroll position held to 0..maximum; a maximum below 1 holds it at 0.
constexpr std::int32_t clampScroll(std::int32_t position, std::int32_t maximum) {
    if (maximum < 1 || position < 0) return 0;
    return position > maximum ? maximum : position;
}
