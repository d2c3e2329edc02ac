#pragma once

#include <string_view>

class MainFrame;
class SketchDocument;

// A drawing the program was closed with before it was saved waits here for
// the next start.
inline constexpr std::u16string_view hibernationPath = u"\\Temp\\hibernate_sketch.zsf";

// Brings back the hibernated drawing, at its own size, marked as unsaved
// work, and deletes the file whether or not it could be read: each file is
// read at most once. True when a drawing came back. A file that cannot be
// read leaves a new, clean drawing.
bool restoreHibernatedDrawing(MainFrame& frame, SketchDocument& document);

// Writes the drawing to the hibernation file when it holds unsaved work.
void hibernateDrawing(SketchDocument& document);
