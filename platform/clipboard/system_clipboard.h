#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class Bitmap;

// The desktop's clipboard, which every program shares. The program puts the
// pictures it copies there, so they paste into other programs, and takes
// another program's picture from it on Paste. Pictures cross it as 24-bit
// bitmaps (blue, green, red bytes).
class SystemClipboard {
  public:
    virtual ~SystemClipboard() = default;

    // Replaces the clipboard's content with `picture` (24 bits per pixel);
    // the program owns the clipboard afterwards. False when it could not be
    // put there.
    virtual bool setPicture(const Bitmap& picture) = 0;
    // True unless what the clipboard holds is what this program put there
    // last; an empty clipboard belongs to nobody, which counts as another.
    virtual bool ownedByOtherProgram() const = 0;
    // True when the clipboard's content includes a picture.
    virtual bool offersImage() const = 0;
    // The clipboard's picture as a 24-bit bottom-up bitmap, at most
    // `maxWidth` by `maxHeight` pixels: a larger one gives its top-left
    // part, so an absurd size costs no memory. Null without a readable
    // picture.
    virtual std::unique_ptr<Bitmap> picture(std::int32_t maxWidth,
                                            std::int32_t maxHeight) const = 0;

    // What Paste takes before the program's own copy: a picture that
    // another program put on the clipboard.
    bool holdsOtherProgramsImage() const { return ownedByOtherProgram() && offersImage(); }
};

// The clipboard the program currently uses. Until one is installed (and
// after `setSystemClipboard(nullptr)`), a fallback keeps nothing and offers
// nothing, so the program without a desktop copies and pastes only within
// itself. The pointer is not owned.
SystemClipboard& systemClipboard();
void setSystemClipboard(SystemClipboard* installed);

}  // namespace platform
