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
#include "formats/output_file.h"
#include "platform/sdl_gamepad.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_screen.h"
#include "platform/video_driver.h"
#include "run/driver.h"

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

// F11 and Alt+Enter toggle fullscreen. They, the Alt and Super keys themselves and every key
// pressed with Alt or Super held (the desktop's own shortcuts, Alt+Tab, Alt+F4, ...) belong to
// the window and never reach the game. Releases always go on: the driver passes a release to the
// game exactly when the game heard the press, so no key sticks whatever was held meanwhile.
bool is_window_key(const SDL_KeyboardEvent& k) {
    const SDL_Keycode sym = k.keysym.sym;
    const bool enter = sym == SDLK_RETURN || sym == SDLK_KP_ENTER;
    if (sym == SDLK_F11 || (enter && (k.keysym.mod & KMOD_ALT))) return true;
    const bool modifier = sym == SDLK_LALT || sym == SDLK_RALT || sym == SDLK_LGUI || sym == SDLK_RGUI;
    return modifier || (k.keysym.mod & (KMOD_ALT | KMOD_GUI)) != 0;
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

    void print_stats() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        driver_.stats().cpu(cpu, double(now_ns() - started_) / 1e9);
        std::fputs(driver_.stats().report(now_ns()).c_str(), stderr);
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
                if (ev.key.keysym.sym == SDLK_F11 ||
                    ((ev.key.keysym.sym == SDLK_RETURN || ev.key.keysym.sym == SDLK_KP_ENTER) &&
                     (ev.key.keysym.mod & KMOD_ALT))) {
                    if (!ev.key.repeat) toggle_fullscreen();
                    return;
                }
                if (!is_window_key(ev.key)) driver_.key_down(virtual_key_code(ev.key.keysym.sym), now);
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

    // A click in window coordinates, turned into a point of the 392 x 286 frame.
    void pointer(const SDL_MouseButtonEvent& b, std::int64_t now) {
        if (b.button != SDL_BUTTON_LEFT) return;
        SDL_Surface* surface = SDL_GetWindowSurface(screen_.window());
        int w = 0, h = 0;
        SDL_GetWindowSize(screen_.window(), &w, &h);
        if (!surface || w <= 0 || h <= 0) return;
        // On a high-DPI display the surface has more pixels than the window has points.
        const int px = b.x * surface->w / w, py = b.y * surface->h / h;
        const Placement at = place_frame(surface->w, surface->h);
        const int fx = (px - at.left) / at.factor, fy = (py - at.top) / at.factor;
        if (b.type == SDL_MOUSEBUTTONDOWN)
            driver_.pointer_down(fx, fy);
        else
            driver_.pointer_up(fx, fy, now);
    }

    void toggle_fullscreen() {
        screen_.toggle_fullscreen();
        driver_.invalidate();
    }

    void show() { screen_.show(driver_.present(now_ns())); }

    Driver& driver_;
    Screen& screen_;
    const std::int64_t started_ = now_ns();
    SdlGamepads gamepads_;
};

}  // namespace

int run_window(WindowRun run, TextRasterizer& text) {
    Video video;
    OutputFile trace(run.trace_path, "trace file");
    OutputFile recording(run.record_path, "recording");
    run.game.trace = trace.sink();
    run.game.recording = recording.sink();
    if (const double ms = ms_since_process_start(); ms >= 0)
        run.game.process_started = now_ns() - std::int64_t(ms * 1e6);
    // The reset and the title come before the window is first shown.
    Driver driver(text, std::move(run.game), now_ns());
    Screen screen(driver.caption(), run.scale, run.fullscreen);
    driver.display_refresh(screen.refresh_rate(), now_ns());
    Host host(driver, screen);
    host.loop();
    if (run.stats) host.print_stats();
    return 0;
}

}  // namespace kx
