#include "platform/window/headless_window.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/brush.h"
#include "platform/gdi/surface.h"

namespace platform {

namespace {

std::unique_ptr<Bitmap> makeStore(std::int32_t width, std::int32_t height, COLORREF background) {
    std::unique_ptr<Bitmap> store = Bitmap::createCompatible(width, height);
    if (!store) return nullptr;
    Surface surface(store.get());
    surface.fillRect(store->bounds(), Brush::solid(background));
    return store;
}

}  // namespace

HeadlessWindow::HeadlessWindow(std::int32_t width, std::int32_t height) {
    // A failed window keeps its empty client area; nothing is marked for
    // repainting, as there is nothing to paint.
    if (resize(width, height)) invalidation_ = Invalidation{};
}

bool HeadlessWindow::resize(std::int32_t width, std::int32_t height) {
    // Checked here: to a bitmap a negative height only means rows top-down.
    if (width < 1 || height < 1) return false;
    std::unique_ptr<Bitmap> store = makeStore(width, height, backgroundColour());
    if (!store) return false;
    store_ = std::move(store);
    width_ = width;
    height_ = height;
    invalidate(nullptr);
    return true;
}

RECT HeadlessWindow::clientRect() const {
    return RECT{0, 0, width_, height_};
}

std::unique_ptr<Surface> HeadlessWindow::getSurface() {
    if (!surfaceAvailable_ || !store_) return nullptr;
    auto surface = std::make_unique<Surface>(store_.get());
    presentOnRelease(*surface);
    return surface;
}

void HeadlessWindow::present(Surface&) {
    ++presents_;
}

void HeadlessWindow::invalidate(const RECT* area) {
    const RECT r = area ? intersect(clientRect(), *area) : clientRect();
    // A request that misses the client area asks for nothing.
    if (isEmpty(r)) return;
    invalidation_.area = invalidation_.count == 0 ? r : unite(invalidation_.area, r);
    ++invalidation_.count;
}

HeadlessWindow::Invalidation HeadlessWindow::takeInvalidation() {
    return std::exchange(invalidation_, Invalidation{});
}

bool HeadlessWindow::setTimer(std::uint32_t id, std::uint32_t periodMs) {
    // As on a real system, a zero period is raised to the shortest one, so
    // a running timer never reports a period of 0.
    timers_[id] = std::max<std::uint32_t>(periodMs, 1);
    return true;
}

std::uint32_t HeadlessWindow::timerPeriod(std::uint32_t id) const {
    const auto it = timers_.find(id);
    return it == timers_.end() ? 0 : it->second;
}

std::vector<std::uint32_t> HeadlessWindow::runningTimers() const {
    std::vector<std::uint32_t> ids;
    ids.reserve(timers_.size());
    for (const auto& entry : timers_)
        ids.push_back(entry.first);
    return ids;
}

}  // namespace platform
