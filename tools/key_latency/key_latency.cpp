// kx_key_latency WINDOW_ID [PRESSES [CLIENT_X CLIENT_Y]]: how long the game's window takes to show a key. In play, at
// a random moment of the tick, it presses the key in Z's place as the keyboard would (XTest) and
// reads the window's pixels until the shot shows beside the chick, then lets go, waits for the
// shot to fly off and presses again; PRESSES times (default 200). A game over (no shot within
// 200 ms) closes the box and starts again; that press is not counted. Prints each figure in
// milliseconds: the median, the 99th percentile, the worst and the mean.
//
// The window shows the frame at scale 1 (kippura-x --scale 1), the chick idle where play puts it,
// from CLIENT_X, CLIENT_Y of the X window (0 0; a window that draws its own frame, as wine's
// does, has its client area further in).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr unsigned kKeycodeZ = 52, kKeycodeSpace = 65, kKeycodeReturn = 36;
// Where the shot first shows at scale 1: 42 units right of the chick's left edge (55) and 10
// units below its top (100), a unit down being 22/21 pixel; with a margin.
constexpr int kRegionX = 92, kRegionY = 108, kRegionW = 24, kRegionH = 26;
constexpr int kShotPixels = 80;  // of its 10 x 10 units, white
constexpr double kTickMs = 1000.0 / 64;

struct GameWindow {
    Display* display;
    ::Window id;
    int client_x, client_y;

    int white_pixels() const {
        XImage* image =
            XGetImage(display, id, client_x + kRegionX, client_y + kRegionY, kRegionW, kRegionH, AllPlanes, ZPixmap);
        if (!image) return -1;
        int white = 0;
        for (int y = 0; y < kRegionH; ++y)
            for (int x = 0; x < kRegionW; ++x) white += (XGetPixel(image, x, y) & 0xFFFFFF) == 0xFFFFFF;
        XDestroyImage(image);
        return white;
    }
    void key(unsigned keycode, bool down) const {
        XTestFakeKeyEvent(display, keycode, down ? True : False, CurrentTime);
        XFlush(display);
    }
    void tap(unsigned keycode) const {
        key(keycode, true);
        std::this_thread::sleep_for(milliseconds(30));
        key(keycode, false);
    }
};

// The box closed (if a game ended) and a new game in play.
void start_again(const GameWindow& w) {
    w.tap(kKeycodeReturn);
    std::this_thread::sleep_for(milliseconds(300));
    w.tap(kKeycodeSpace);
    std::this_thread::sleep_for(milliseconds(1200));  // the chick's flight in: 32 ticks
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kx_key_latency WINDOW_ID [PRESSES [CLIENT_X CLIENT_Y]]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kx_key_latency: no display\n");
        return 2;
    }
    const GameWindow w{display, std::strtoul(argv[1], nullptr, 0), argc > 4 ? std::atoi(argv[3]) : 0,
                       argc > 4 ? std::atoi(argv[4]) : 0};
    const int presses = argc > 2 ? std::atoi(argv[2]) : 200;
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> phase(0.0, kTickMs);
    std::vector<double> ms;
    int restarts = 0;
    start_again(w);
    while (int(ms.size()) < presses) {
        if (restarts > presses) {
            std::fprintf(stderr, "kx_key_latency: the shot did not show (is the game at scale 1, in play?)\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(20.0 + phase(random)));
        if (w.white_pixels() > kShotPixels / 4) {  // a shot or a duck still there: wait
            std::this_thread::sleep_for(milliseconds(100));
            continue;
        }
        const auto pressed = Clock::now();
        w.key(kKeycodeZ, true);
        bool shown = false;
        while (Clock::now() - pressed < milliseconds(200))
            if (w.white_pixels() >= kShotPixels) {
                shown = true;
                break;
            }
        const auto seen = Clock::now();
        w.key(kKeycodeZ, false);
        if (!shown) {
            ++restarts;
            start_again(w);
            continue;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(seen - pressed).count());
        std::this_thread::sleep_for(milliseconds(600));  // the shot flies off
    }
    std::printf(
        "presses %zu (games started again %d): median %.1f ms, 99th percentile %.1f ms, worst %.1f ms, mean %.1f ms\n",
        ms.size(), restarts, percentile(ms, 0.5), percentile(ms, 0.99), *std::max_element(ms.begin(), ms.end()),
        std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size()));
    XCloseDisplay(display);
    return 0;
}
