#pragma once

#include <QPointF>

class Application;
class CanvasViewport;
class QMimeData;

// Drops on the main window, turned into the program's own calls: the
// program decides what a file or a picture does and where it lands.

// Whether a drag carries something the program takes: a local file of a kind
// it opens or imports, or a picture.
bool acceptsDrop(const QMimeData& data);

// Hands a drop at `position` (logical pixels of `view`) to the program: the
// first local file of a kind it takes, otherwise the picture. The program
// acts on it once the drop is over, from the event loop, since opening a
// file may ask a question and the dragging program waits until the drop
// returns. False when nothing in it is taken.
bool dropInto(Application& app, const QMimeData& data, CanvasViewport& view, QPointF position);
