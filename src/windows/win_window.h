// The Windows front end: a Win32 window, the keyboard, the mouse and XInput controllers, driven
// by the run layer's driver; the game-over box and the pause are drawn inside the window.
#pragma once

#include "elements/text_style.h"
#include "run/window_run.h"

namespace kx {

// Runs until the window is closed; returns the process exit status.
int run_win32_window(WindowRun run, TextRasterizer& text);

}  // namespace kx
