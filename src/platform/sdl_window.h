// The window front end: a real SDL window, keyboard, mouse and game controllers, driven by the
// run layer's driver; the game-over box and the pause are drawn inside the window.
#pragma once

#include "elements/text_style.h"
#include "run/window_run.h"

namespace kx {

// Runs until the window is closed; returns the process exit status.
int run_window(WindowRun run, TextRasterizer& text);

}  // namespace kx
