// The window manager's frame size through the freedesktop window-manager hints: a window asks
// with _NET_REQUEST_FRAME_EXTENTS and the manager answers in its _NET_FRAME_EXTENTS property.
#include "platform/sdl_x11_decorations.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <vector>

#include "elements/units.h"

namespace kx {
namespace {

// A property of 32-bit values; X11 hands each one back in a long.
std::optional<std::vector<long>> long_property(Display* display, Window window, Atom name, Atom type) {
    Atom actual_type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, type, &actual_type, &format, &count, &left, &data) !=
        Success)
        return std::nullopt;
    std::optional<std::vector<long>> values;
    if (data && actual_type == type && format == 32) {
        const long* longs = reinterpret_cast<const long*>(data);
        values.emplace(longs, longs + count);
    }
    if (data) XFree(data);
    return values;
}

// A window manager that runs names its own check window on the root window and on that window
// itself; one that has gone may have left its properties on the root window behind.
bool manager_runs(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const auto on_root = long_property(display, DefaultRootWindow(display), check, XA_WINDOW);
    if (!on_root || on_root->size() != 1) return false;
    const auto on_itself = long_property(display, Window((*on_root)[0]), check, XA_WINDOW);
    return on_itself && *on_itself == *on_root;
}

bool manager_answers_frame_requests(Display* display, Atom request) {
    if (!manager_runs(display)) return false;
    const auto supported =
        long_property(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM);
    if (!supported) return false;
    for (long atom : *supported)
        if (Atom(atom) == request) return true;
    return false;
}

std::optional<Decorations> ask_x11_manager(Display* display, Window xwindow) {
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    if (!manager_answers_frame_requests(display, request)) return std::nullopt;

    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = xwindow;
    ev.xclient.message_type = request;
    ev.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(display);

    // The answer comes within a few milliseconds; a manager that never gives it costs 100 ms.
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    do {
        const auto lrtb = long_property(display, xwindow, extents, XA_CARDINAL);
        if (lrtb && lrtb->size() == 4) return Decorations{int((*lrtb)[0] + (*lrtb)[1]), int((*lrtb)[2] + (*lrtb)[3])};
        SDL_Delay(2);
    } while (std::chrono::steady_clock::now() < give_up);
    return std::nullopt;
}

}  // namespace

std::optional<Decorations> ask_decorations(Uint32 window_flags) {
    SDL_Window* window = SDL_CreateWindow("", 0, 0, kClientWidth, kClientHeight, window_flags | SDL_WINDOW_HIDDEN);
    if (!window) return std::nullopt;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    std::optional<Decorations> answer;
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        answer = ask_x11_manager(info.info.x11.display, info.info.x11.window);
    SDL_DestroyWindow(window);
    return answer;
}

}  // namespace kx
