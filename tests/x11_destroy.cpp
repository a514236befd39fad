// x11_destroy WINDOW_ID: destroys another client's window, as a misbehaving program or a
// desktop tool can, without asking it first.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: x11_destroy WINDOW_ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_destroy: no display\n");
        return 2;
    }
    XDestroyWindow(display, std::strtoul(argv[1], nullptr, 0));
    XCloseDisplay(display);
    return 0;
}
