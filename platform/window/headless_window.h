#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/types.h"
#include "platform/window/window.h"

namespace platform {

// A window without a screen: its client area is a plain 24-bit bitmap, so
// tests and the command-line driver can read exactly what the program drew.
// Nothing happens by itself here: there is no clock and no message loop, and
// the driver looks at the recorded invalidation and the running timers and
// calls the program's handlers itself.
class HeadlessWindow : public Window {
  public:
    // Repaint requests gathered since the last `takeInvalidation`.
    struct Invalidation {
        int count = 0;  // requests that touched the client area
        RECT area{};    // the smallest rectangle holding all of them
        bool pending() const { return count > 0; }
    };

    // The backing store starts white. If the size is not at least 1 by 1 or
    // the memory cannot be had, the window has a 0 by 0 client area and no
    // surface.
    HeadlessWindow(std::int32_t width, std::int32_t height);

    // A new white backing store of the new size; the old picture is gone, so
    // the whole client area is marked for repainting. False (and the window
    // as it was) for a size below 1 by 1 or when the memory cannot be had.
    bool resize(std::int32_t width, std::int32_t height);

    RECT clientRect() const override;
    std::unique_ptr<Surface> getSurface() override;
    void invalidate(const RECT* area) override;
    void setCapture(bool captured) override { captured_ = captured; }
    bool hasCapture() const override { return captured_; }
    bool setTimer(std::uint32_t id, std::uint32_t periodMs) override;
    void killTimer(std::uint32_t id) override { timers_.erase(id); }

    // Makes `getSurface` fail, as for a window that is hidden or going away.
    void setSurfaceAvailable(bool available) { surfaceAvailable_ = available; }

    // Surfaces from `getSurface` draw straight into this bitmap, so it holds
    // whatever was drawn, presented or not. Only while `hasBackingStore()`.
    bool hasBackingStore() const { return store_ != nullptr; }
    Bitmap& backingStore() { return *store_; }
    const Bitmap& backingStore() const { return *store_; }

    int presentCount() const { return presents_; }

    // What has been invalidated since the last call; clears it.
    Invalidation takeInvalidation();
    const Invalidation& invalidation() const { return invalidation_; }

    // 0 when the timer is not running.
    std::uint32_t timerPeriod(std::uint32_t id) const;
    // Ids of the running timers, in increasing order.
    std::vector<std::uint32_t> runningTimers() const;

  protected:
    void present(Surface& surface) override;

  private:
    std::unique_ptr<Bitmap> store_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    bool surfaceAvailable_ = true;
    bool captured_ = false;
    int presents_ = 0;
    Invalidation invalidation_;
    std::map<std::uint32_t, std::uint32_t> timers_;
};

}  // namespace platform
