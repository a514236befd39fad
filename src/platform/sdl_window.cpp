// The window front end. The host owns the loop: it sleeps until the driver has something due or
// an event arrives, hands SDL's events to the driver as virtual keys, focus changes and clicks,
// and shows the frames the driver gives it.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "draw/scaling.h"
#include "platform/sdl_gamepad.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_screen.h"
#include "platform/video_driver.h"
#include "run/window_game.h"
#include "run/window_keys.h"

namespace kx {
namespace {

using Clock = std::chrono::steady_clock;

// How long ago the process started, from the kernel's record of it (10 ms steps).
double ms_since_process_start() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int n = 3; n <= 22 && fields >> field; ++n) {}
    const double start_s = std::stod(field) / double(sysconf(_SC_CLK_TCK));
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
    const SDL_Keycode sym = k.keysym.sym;
    return {virtual_key_code(sym), sym == SDLK_LALT || sym == SDLK_RALT || sym == SDLK_LGUI || sym == SDLK_RGUI,
            (k.keysym.mod & KMOD_ALT) != 0, (k.keysym.mod & KMOD_GUI) != 0, k.repeat != 0};
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
    Host(Driver& driver, Screen& screen) : driver_(driver), screen_(screen) {}

    void loop() {
        for (;;) {
            SDL_Event ev;
            if (wait_for_event(ev)) {
                if (ev.type == SDL_QUIT) return;
                handle(ev);
                continue;  // drain the events before ticking
            }
            const std::int64_t now = now_ns();
            driver_.advance(now);
            if (driver_.present_due(now_ns())) show();
        }
    }

private:
    // Sleeps until the driver has something due or an event arrives (no busy loop).
    bool wait_for_event(SDL_Event& ev) {
        const std::int64_t at = driver_.wake_at();
        if (at == INT64_MAX) return SDL_WaitEvent(&ev) != 0;
        const std::int64_t ns = std::max<std::int64_t>(0, at - now_ns());
        const std::int64_t wait = (ns + 999'999) / 1'000'000;
        return wait > 0 ? SDL_WaitEventTimeout(&ev, int(wait)) != 0 : SDL_PollEvent(&ev) != 0;
    }

    void handle(const SDL_Event& ev) {
        const std::int64_t now = now_ns();
        switch (ev.type) {
            case SDL_KEYDOWN:
                switch (const WindowKeyPress press = window_key_press(ev.key); key_use(press)) {
                    case KeyUse::game: driver_.key_down(press.code, now); return;
                    case KeyUse::toggle_fullscreen: toggle_fullscreen(); return;
                    case KeyUse::window: return;
                }
                return;
            case SDL_KEYUP: driver_.key_up(virtual_key_code(ev.key.keysym.sym), now); return;
            case SDL_WINDOWEVENT: window_event(ev.window, now); return;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: pointer(ev.button, now); return;
            default: gamepads_.handle(ev, driver_, now);
        }
    }

    void window_event(const SDL_WindowEvent& w, std::int64_t now) {
        switch (w.event) {
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_HIDDEN:
            case SDL_WINDOWEVENT_MINIMIZED: driver_.focus_lost(now); break;
            // What the display shows of the window may be gone, or the window has a new surface:
            // the next frame is drawn and sent whole. Focus and the pointer coming and going
            // change nothing in it.
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_RESIZED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_RESTORED:
                screen_.invalidate();
                driver_.invalidate();
                break;
            case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                driver_.display_refresh(screen_.refresh_rate(), now);
                screen_.invalidate();
                driver_.invalidate();
                break;
            default: break;
        }
    }

    // A click in window coordinates (points: the surface may have more pixels on a high-DPI display).
    void pointer(const SDL_MouseButtonEvent& b, std::int64_t now) {
        if (b.button != SDL_BUTTON_LEFT) return;
        SDL_Surface* surface = SDL_GetWindowSurface(screen_.window());
        int w = 0, h = 0;
        SDL_GetWindowSize(screen_.window(), &w, &h);
        if (!surface) return;
        const FramePoint p = frame_point(b.x, b.y, w, h, surface->w, surface->h);
        if (b.type == SDL_MOUSEBUTTONDOWN)
            driver_.pointer_down(p.x, p.y);
        else
            driver_.pointer_up(p.x, p.y, now);
    }

    void toggle_fullscreen() {
        screen_.toggle_fullscreen();
        driver_.invalidate();
    }

    void show() { screen_.show(driver_.present(now_ns())); }

    Driver& driver_;
    Screen& screen_;
    SdlGamepads gamepads_;
};

}  // namespace

int run_window(WindowRun run, TextRasterizer& text) {
    Video video;
    WindowGame game(std::move(run), text, now_ns(), ms_since_process_start());
    Screen screen(game.driver().caption(), game.run().scale, game.run().fullscreen);
    game.driver().display_refresh(screen.refresh_rate(), now_ns());
    Host host(game.driver(), screen);
    host.loop();
    std::fputs(game.stats_report(cpu_seconds(), now_ns()).c_str(), stderr);
    return 0;
}

}  // namespace kx
