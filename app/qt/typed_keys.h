#pragma once

#include <QString>

class QKeyEvent;

// The arrow keys step through tools and sizes when they are released; a
// press of one does nothing (and must not scroll the view).
bool isArrowKey(int key);

// Text as the document takes it, one UTF-16 unit at a time (a character
// beyond the first plane as its two halves), with control characters left
// out. Used for key presses and for text from input methods alike.
QString documentText(const QString& text);

// What a key press types into the document: Backspace and Return as the
// text tool expects them ("\b" and "\r"), otherwise the key's printable
// text. Empty when the key types nothing: arrows, shortcuts with Control,
// Alt or Meta, page and function keys.
QString typedText(const QKeyEvent& event);
