// x11_keys [--label KEYCODE] | [down:K | up:K | K]...: presses keys by their X keycode, as the
// keyboard itself would (XTest), whatever the layout prints on them: K is pressed and let go,
// down:K and up:K do one half; 40 ms between events. --label prints the keysym the layout in force
// gives KEYCODE without Shift (the check that a layout took).
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

void send(Display* display, unsigned keycode, bool down) {
    XTestFakeKeyEvent(display, keycode, down ? True : False, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: x11_keys [--label KEYCODE] | [down:K | up:K | K]...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_keys: no display\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--label") == 0 && argc == 3) {
        const KeySym sym = XkbKeycodeToKeysym(display, KeyCode(std::atoi(argv[2])), 0, 0);
        const char* name = XKeysymToString(sym);
        std::printf("%s\n", name ? name : "NoSymbol");
        XCloseDisplay(display);
        return 0;
    }
    for (int n = 1; n < argc; ++n) {
        const char* arg = argv[n];
        if (std::strncmp(arg, "down:", 5) == 0)
            send(display, unsigned(std::atoi(arg + 5)), true);
        else if (std::strncmp(arg, "up:", 3) == 0)
            send(display, unsigned(std::atoi(arg + 3)), false);
        else {
            send(display, unsigned(std::atoi(arg)), true);
            send(display, unsigned(std::atoi(arg)), false);
        }
    }
    XCloseDisplay(display);
    return 0;
}
