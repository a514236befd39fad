// Chooses SDL's video driver: one that shows a window to a person, never a stand-in that draws
// nowhere (offscreen, dummy), so that a run without a display ends at once with a clear line.
#pragma once

#include "run/window_run.h"

namespace kx {

// Starts SDL's video and event systems, with X11's errors handled as sdl_x11_errors.h says.
// SDL_VIDEODRIVER, when set, is obeyed as it is (even offscreen or dummy); otherwise the desktop
// drivers are tried in SDL's order. Throws with a one-line reason that suggests --headless when
// none opens: NoDisplay when none of them found a display, std::runtime_error when the driver
// asked for by name failed.
void open_video();

}  // namespace kx
