#pragma once

#include <string>
#include <string_view>

class MainFrame;
class SketchDocument;

// A drawing the program was closed with before it was saved waits here for
// the next start.
inline constexpr std::u16string_view hibernationPath = u"\\Temp\\hibernate_sketch.zsf";
// Beside it, the name of the document the drawing was last saved or opened
// as, so that it comes back under that name. The sketch format has no room
// for a name, and other programs read it.
inline constexpr std::u16string_view hibernatedNamePath = u"\\Temp\\hibernate_sketch.name";

// Brings back the hibernated drawing, at its own size and under its name,
// marked as unsaved work, and deletes the files whether or not they could
// be read: each is read at most once. True when a drawing came back. A file
// that cannot be read leaves a new, clean drawing.
bool restoreHibernatedDrawing(MainFrame& frame, SketchDocument& document);

// Writes the drawing to the hibernation file when it holds unsaved work,
// without a word to the user. False when unsaved work could not be written.
bool hibernateDrawing(SketchDocument& document);

// Puts the document's name beside the hibernation file; a document without
// a name, or a name that cannot be written, leaves no name there.
void keepHibernatedName(const std::u16string& documentPath);
// Removes the hibernation file and the name beside it.
void deleteHibernatedDrawing();
