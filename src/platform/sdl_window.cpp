// The window front end. The host owns the loop: it sleeps until the driver has something due or
// an event arrives, hands SDL's events to the driver as virtual keys, focus changes and clicks,
// and shows the frames the driver gives it.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "draw/scaling.h"
#include "platform/sdl_gamepad.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_screen.h"
#include "platform/video_driver.h"
#include "run/window_game.h"
#include "run/window_host.h"

namespace kx {
namespace {

using Clock = std::chrono::steady_clock;

// How long ago the process started, from the kernel's record of it (10 ms steps).
double ms_since_process_start() {
    std::ifstream stat("/proc/self/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto ticks = process_start_ticks(text);
    if (!ticks) return -1;
    const double start_s = *ticks / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - start_s) * 1000;
}

struct Video {
    Video() {
        // The window class matches the desktop entry's StartupWMClass.
        setenv("SDL_VIDEO_X11_WMCLASS", "kippura-x", 0);
        SDL_SetHint(SDL_HINT_APP_NAME, "kippura-x");
        // The frame goes to the window as plain pixels: loading a 3D driver for it would cost
        // a hundred megabytes and several per cent of a core.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        open_video();
    }
    ~Video() { SDL_Quit(); }
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;
};

std::int64_t now_ns() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

WindowKeyPress window_key_press(const SDL_KeyboardEvent& k) {
    return {pressed_key(k.keysym), desktop_modifier(k.keysym), (k.keysym.mod & KMOD_ALT) != 0,
            (k.keysym.mod & KMOD_GUI) != 0, k.repeat != 0};
}

double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The loop: waits for an event or for what the driver has due, and dispatches.
class Host {
public:
    Host(Driver& driver, Screen& screen, const KeyBindings& keys)
        : host_(driver, screen, now_ns, keys), screen_(screen) {
        host_.display_changed();
    }

    void loop() {
        for (;;) {
            SDL_Event ev;
            const auto wait = host_.wait_ms();  // no busy loop
            if (!wait ? SDL_WaitEvent(&ev) : *wait > 0 ? SDL_WaitEventTimeout(&ev, int(*wait)) : SDL_PollEvent(&ev)) {
                if (ev.type == SDL_QUIT) return;
                handle(ev);
                continue;  // drain the events before ticking
            }
            host_.step();
        }
    }

private:
    void handle(const SDL_Event& ev) {
        switch (ev.type) {
            case SDL_KEYDOWN: host_.key_down(window_key_press(ev.key)); return;
            case SDL_KEYUP: host_.key_up(pressed_key(ev.key.keysym)); return;
            case SDL_WINDOWEVENT: window_event(ev.window); return;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: pointer(ev.button); return;
            default: gamepads_.handle(ev, host_.driver(), host_.now());
        }
    }

    void window_event(const SDL_WindowEvent& w) {
        switch (w.event) {
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_HIDDEN:
            case SDL_WINDOWEVENT_MINIMIZED: host_.focus_lost(); break;
            // What the display shows of the window may be gone, or the window has a new surface:
            // the next frame is drawn and sent whole. Focus and the pointer coming and going
            // change nothing in it.
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_RESIZED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_RESTORED: host_.exposed(); break;
            case SDL_WINDOWEVENT_DISPLAY_CHANGED: host_.display_changed(); break;
            default: break;
        }
    }

    // A click in window coordinates (points: the surface may have more pixels on a high-DPI display).
    void pointer(const SDL_MouseButtonEvent& b) {
        SDL_Surface* surface = SDL_GetWindowSurface(screen_.window());
        int w = 0, h = 0;
        SDL_GetWindowSize(screen_.window(), &w, &h);
        if (b.button == SDL_BUTTON_LEFT && surface)
            host_.pointer(b.type == SDL_MOUSEBUTTONDOWN, b.x, b.y, w, h, surface->w, surface->h);
    }

    WindowHost host_;
    Screen& screen_;
    SdlGamepads gamepads_;
};

}  // namespace

int run_window(WindowRun run, TextRasterizer& text) {
    Video video;
    WindowGame game(std::move(run), text, now_ns(), ms_since_process_start());
    Screen screen(game.driver().caption(), game.run().scale, game.run().fullscreen);
    Host host(game.driver(), screen, game.run().keys);
    host.loop();
    std::fputs(game.stats_report(cpu_seconds(), now_ns()).c_str(), stderr);
    return 0;
}

}  // namespace kx
