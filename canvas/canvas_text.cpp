#include <cstdlib>
#include <string_view>

#include "canvas/canvas.h"
#include "platform/text/font.h"
#include "platform/text/utf.h"

namespace {

// Face names hold at most 31 characters; a longer one is not a face.
constexpr std::size_t faceCapacity = 31;

std::u16string_view faceView(const char16_t* face) {
    return face ? std::u16string_view(face, platform::boundedLength(face, faceCapacity + 1))
                : std::u16string_view();
}

std::u16string_view textView(const char16_t* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

void Canvas::drawText(std::int16_t size, COLORREF colour, const char16_t* face,
                      const char16_t* text, POINT position) {
    if (renderState_ == RenderState::Idle) return;
    toDevice(&position, 1, &size);
    // The height is the character height in pixels for the point size at the
    // target's resolution, negative as font records express it.
    const std::int32_t height = -std::abs((target_->verticalDpi() * size) / 72);
    std::u16string_view name = faceView(face);
    if (name.size() > faceCapacity) name = name.substr(0, faceCapacity);
    auto font = platform::Font::create(name, height);
    if (!font) return;
    const platform::Font* oldFont = target_->selectFont(font.get());
    const std::u16string_view characters = textView(text);
    if (!characters.empty()) {
        const COLORREF oldColour = target_->setTextColour(colour);
        const auto oldMode = target_->setBackgroundMode(platform::BackgroundMode::Transparent);
        target_->textOut(position.x, position.y, characters);
        target_->setBackgroundMode(oldMode);
        target_->setTextColour(oldColour);
    }
    target_->selectFont(oldFont);
}

void Canvas::measureText(std::int16_t size, const char16_t* face, const char16_t* text,
                         RECT& output) {
    const std::u16string_view name = faceView(face);
    if (name.size() > faceCapacity || !viewWindow_) return;
    // Measured as drawn at 100 %, whatever the zoom.
    platform::Surface surface;
    const std::int32_t height = -std::abs((surface.verticalDpi() * size * 10) / 720);
    auto font = platform::Font::create(name, height);
    if (!font) return;
    surface.selectFont(font.get());
    std::u16string_view characters = textView(text);
    // An empty text still has the height of a line, so it is measured as "I".
    if (characters.empty()) characters = u"I";
    const SIZE extent = surface.textExtent(characters);
    output = RECT{0, 0, extent.cx, extent.cy};
    surface.selectFont(nullptr);
}
