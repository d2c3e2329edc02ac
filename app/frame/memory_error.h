#pragma once

// Tells the user that an allocation failed. Every subsystem calls it where
// memory runs out; the box has no owner, so it can be shown before any window
// exists.
void showMemoryError();
