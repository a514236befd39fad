#include "run/window_run.h"

namespace kx {

std::string no_display_reason(const std::string& x11, const std::string& wayland) {
    if (x11.empty() && wayland.empty()) return "no display (DISPLAY and WAYLAND_DISPLAY are not set)";
    std::string named;
    if (!x11.empty()) named = "DISPLAY=" + x11;
    if (!wayland.empty()) named += (named.empty() ? "" : ", ") + ("WAYLAND_DISPLAY=" + wayland);
    return "no X11 or Wayland display answered (" + named + ")";
}

}  // namespace kx
