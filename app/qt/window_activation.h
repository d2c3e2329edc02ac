#pragma once

#include <string>

class QWidget;

// Activates `window` for a later start of the program that passed the
// desktop's `activationToken` (empty: none): on Wayland the compositor gets
// the token with the request, on X11 the window manager gets the time of the
// user's action the start's id carries, and the start's launch feedback
// ends. Without a token the window asks for the focus on its own, which a
// desktop that prevents focus stealing may refuse.
void activateWithToken(QWidget& window, const std::string& activationToken);
