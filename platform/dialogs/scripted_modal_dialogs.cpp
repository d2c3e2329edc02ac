#include "platform/dialogs/scripted_modal_dialogs.h"

#include <cstring>

#include "platform/gdi/bitmap_info_header.h"

namespace platform {

namespace {

void deliver(PixelDialog& dialog, const StylusEvent& event) {
    switch (event.kind) {
        case StylusEvent::Kind::Down:
            dialog.stylusDown(event.x, event.y);
            break;
        case StylusEvent::Kind::Move:
            dialog.stylusMove(event.x, event.y);
            break;
        case StylusEvent::Kind::Up:
            dialog.stylusUp(event.x, event.y);
            break;
    }
}

}  // namespace

std::unique_ptr<Bitmap> copyBitmap(const Bitmap& source) {
    BitmapInfoHeader header;
    header.biWidth = source.width();
    header.biHeight = source.bottomUp() ? source.height() : -source.height();
    header.biBitCount = std::uint16_t(source.bitCount());
    auto copy = Bitmap::create(header, source.colourTable(), source.colourCount());
    if (!copy) return nullptr;
    std::memcpy(copy->bits(), source.bits(), source.byteCount());
    return copy;
}

void ScriptedModalDialogs::queueStylus(std::string_view dialogName, StylusEvent event) {
    auto it = stylus_.find(dialogName);
    if (it == stylus_.end())
        it = stylus_.emplace(std::string(dialogName), std::deque<StylusEvent>{}).first;
    it->second.push_back(event);
}

std::size_t ScriptedModalDialogs::pendingStylusEvents(std::string_view dialogName) const {
    const auto it = stylus_.find(dialogName);
    return it == stylus_.end() ? 0 : it->second.size();
}

int ScriptedModalDialogs::runPixelDialog(Window*, PixelDialog& dialog) {
    ModalDialogRecord record;
    record.name = std::string(dialog.name());
    record.anchorCommand = dialog.anchorCommand();

    // A pop-up without pixels cannot be shown, let alone tapped.
    if (!dialog.clientArea() && !dialog.closed()) dialog.cancel();
    if (!dialog.closed() && dialog.needsPaint()) dialog.paint();
    auto queue = stylus_.find(record.name);
    while (!dialog.closed()) {
        if (queue == stylus_.end() || queue->second.empty()) {
            dialog.cancel();
            break;
        }
        const StylusEvent event = queue->second.front();
        queue->second.pop_front();
        ++record.stylusEvents;
        deliver(dialog, event);
        if (!dialog.closed() && dialog.needsPaint()) dialog.paint();
    }

    if (const Bitmap* client = dialog.clientArea()) clientAreas_[record.name] = copyBitmap(*client);
    record.result = dialog.result();
    records_.push_back(std::move(record));
    return records_.back().result;
}

int ScriptedModalDialogs::runNumberFields(NumberFieldsRequest& request) {
    ModalDialogRecord record;
    record.name = request.name;
    for (const NumberField& field : request.fields)
        record.shownTexts.push_back(field.text);

    std::optional<std::vector<std::u16string>> answer;
    if (!fieldAnswers_.empty()) {
        answer = std::move(fieldAnswers_.front());
        fieldAnswers_.pop_front();
    }
    if (answer) {
        for (std::size_t i = 0; i < request.fields.size() && i < answer->size(); ++i)
            request.fields[i].text = (*answer)[i];
        for (const NumberField& field : request.fields)
            record.typedTexts.push_back(field.text);
        record.result = dialogOk;
    } else {
        record.result = dialogCancel;
    }
    records_.push_back(std::move(record));
    return records_.back().result;
}

int ScriptedModalDialogs::runAboutBox(const AboutBoxRequest& request) {
    ModalDialogRecord record;
    record.name = "about";
    record.shownTexts.push_back(request.caption);
    record.shownTexts.push_back(request.version);
    record.shownTexts.insert(record.shownTexts.end(), request.lines.begin(), request.lines.end());
    if (request.picture) {
        record.pictureWidth = request.picture->width();
        record.pictureHeight = request.picture->height();
    }
    record.result = dialogOk;
    records_.push_back(std::move(record));
    return dialogOk;
}

const Bitmap* ScriptedModalDialogs::lastClientArea(std::string_view dialogName) const {
    const auto it = clientAreas_.find(dialogName);
    return it == clientAreas_.end() ? nullptr : it->second.get();
}

std::string format(const ModalDialogRecord& record) {
    return "dialog " + record.name + " -> " + std::to_string(record.result);
}

}  // namespace platform
