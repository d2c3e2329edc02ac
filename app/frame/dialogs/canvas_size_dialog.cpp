#include "app/frame/dialogs/canvas_size_dialog.h"

#include <algorithm>
#include <string>

#include "app/frame/main_frame.h"

namespace {

std::u16string decimal(std::uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::int64_t sizeField(const platform::NumberFieldsRequest& request, std::int32_t id,
                       std::uint16_t current) {
    for (const platform::NumberField& field : request.fields)
        if (field.id == id) return readUnsignedNumber(field.text);
    return current;
}

}  // namespace

platform::NumberFieldsRequest canvasSizeRequest(const MainFrame& frame, platform::Window* owner) {
    platform::NumberFieldsRequest request;
    request.name = "canvassize";
    request.owner = owner;
    request.caption = u"Set Canvas Size";
    request.fields = {{CanvasSizeField::Width, u"Width:", decimal(frame.canvasWidth)},
                      {CanvasSizeField::Height, u"Height:", decimal(frame.canvasHeight)}};
    return request;
}

bool acceptCanvasSize(MainFrame& frame, const platform::NumberFieldsRequest& request) {
    return frame.setCanvasSize(sizeField(request, CanvasSizeField::Width, frame.canvasWidth),
                               sizeField(request, CanvasSizeField::Height, frame.canvasHeight));
}

std::uint32_t readUnsignedNumber(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    if (text.empty()) return 0;
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        value = std::min<std::uint64_t>(value * 10 + std::uint64_t(c - u'0'), 0xFFFFFFFFu);
    }
    return std::uint32_t(value);
}
