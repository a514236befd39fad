// The window front end. The host owns the loop: it sleeps until the next tick is due or an event
// arrives, runs due ticks (a few at most after a stall), and shows the latest frame.
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
#include <memory>
#include <sstream>
#include <stdexcept>

#include "platform/sdl_gamepad.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_message_box.h"
#include "platform/sdl_screen.h"
#include "platform/video_driver.h"
#include "platform/window_stats.h"
#include "run/renderer.h"
#include "run/session.h"

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

class Recorder {
public:
    Recorder(const std::string& path, std::uint32_t seed) {
        if (path.empty()) return;
        out_.open(path);
        if (!out_) throw std::runtime_error(path + ": cannot write the recording");
        out_ << "# kippura-x recording\nseed " << seed << "\n";
    }
    void key(std::int64_t tick, bool down, int code) {
        if (out_.is_open()) out_ << tick << (down ? " down " : " up ") << code << "\n" << std::flush;
    }

private:
    std::ofstream out_;
};

// The loop: sleeps until the next tick is due or an event comes, runs due ticks, shows the frame.
class Host {
public:
    Host(Session& session, Screen& screen, TextRasterizer& text, const WindowRun& run, Recorder& recorder)
        : session_(session),
          screen_(screen),
          renderer_(text),
          run_(run),
          recorder_(recorder),
          period_(std::chrono::nanoseconds(1'000'000'000LL / run.tick_rate)),
          refresh_(std::chrono::nanoseconds(1'000'000'000LL / screen.refresh_rate())),
          stats_(period_.count(), refresh_.count()) {}

    void loop() {
        for (;;) {
            const bool running = session_.any_timer_running();
            if (running != was_running_) stats_.running(running, ns(Clock::now()));
            if (running && !was_running_) restart_clock();
            was_running_ = running;
            if (replay_due(running)) continue;
            SDL_Event ev;
            if (wait_for_event(running, ev)) {
                if (ev.type == SDL_QUIT) return;
                handle(ev);
                continue;  // drain the events before ticking
            }
            pad_keys_.clear();
            gamepads_.repeat(pad_keys_);
            for (const VirtualKey& k : pad_keys_) key(k.down, k.code);
            run_due_ticks();
        }
    }

private:
    void restart_clock() {
        epoch_ = Clock::now();
        scheduled_ = 0;
    }

    void key(bool down, int code) {
        recorder_.key(session_.ticks(), down, code);
        session_.key(down, code);
        // During play a key only sets speeds for the next tick: nothing new to show until then.
        if (!session_.any_timer_running() || !was_running_) dirty_ = true;
    }

    // A replayed event is handled once its tick count is reached, or at once while no timer runs.
    bool replay_due(bool running) {
        if (!run_.replay || next_replayed_ >= run_.replay->events.size()) return false;
        const KeyEvent& e = run_.replay->events[next_replayed_];
        if (e.tick > session_.ticks() && running) return false;
        ++next_replayed_;
        key(e.down, e.code);
        return true;
    }

    // Sleeps until the next tick or key repeat is due, or an event arrives (no busy loop).
    bool wait_for_event(bool running, SDL_Event& ev) {
        if (!running) show_if_dirty();
        long long wait = -1;
        if (running) {
            auto due = epoch_ + period_ * (scheduled_ + 1);
            if (dirty_) due = std::min(due, next_present_);
            wait = std::max<long long>(0, std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count());
        }
        const int repeat = gamepads_.ms_to_next_repeat();
        if (repeat >= 0 && (wait < 0 || repeat < wait)) wait = repeat;
        if (wait < 0) return SDL_WaitEvent(&ev) != 0;
        return wait > 0 ? SDL_WaitEventTimeout(&ev, int(wait)) != 0 : SDL_PollEvent(&ev) != 0;
    }

    void handle(const SDL_Event& ev) {
        if (ev.type == SDL_KEYDOWN || ev.type == SDL_KEYUP) {
            if (window_key(ev.key)) return;
            if (!run_.replay) key(ev.type == SDL_KEYDOWN, virtual_key_code(ev.key.keysym.sym));
        } else if (ev.type == SDL_WINDOWEVENT) {
            dirty_ = true;  // exposed, resized, restored: show the frame again
        } else {
            pad_keys_.clear();
            if (gamepads_.handle(ev, pad_keys_) && !run_.replay)
                for (const VirtualKey& k : pad_keys_) key(k.down, k.code);
        }
    }

    // F11 and Alt+Enter toggle fullscreen. They, the Alt and Super keys themselves and every key
    // pressed with Alt or Super held (the desktop's own shortcuts, Alt+Tab, Alt+F4, ...) belong
    // to the window and never reach the game; every other key does.
    bool window_key(const SDL_KeyboardEvent& k) {
        const SDL_Keycode sym = k.keysym.sym;
        const bool enter = sym == SDLK_RETURN || sym == SDLK_KP_ENTER;
        if (sym == SDLK_F11 || (enter && (k.keysym.mod & KMOD_ALT))) {
            if (k.type == SDL_KEYDOWN && !k.repeat) {
                screen_.toggle_fullscreen();
                dirty_ = true;
            }
            return true;
        }
        const bool modifier = sym == SDLK_LALT || sym == SDLK_RALT || sym == SDLK_LGUI || sym == SDLK_RGUI;
        return modifier || (k.keysym.mod & (KMOD_ALT | KMOD_GUI)) != 0;
    }

    void run_due_ticks() {
        if (!session_.any_timer_running()) return;
        const auto now = Clock::now();
        const std::int64_t due = (now - epoch_) / period_;
        if (due - scheduled_ > kMaxCatchUpTicks) {  // no burst after a stall
            stats_.skipped(due - kMaxCatchUpTicks - scheduled_);
            scheduled_ = due - kMaxCatchUpTicks;
        }
        while (scheduled_ < due && session_.any_timer_running()) {
            stats_.tick(ns(now) - ns(epoch_ + period_ * (scheduled_ + 1)));
            session_.run_period();
            ++scheduled_;
            dirty_ = true;
            if (run_.replay) break;  // replayed events may fall between these ticks
        }
        // While play runs, frames go out on the display's refresh: each shows the newest tick.
        if (dirty_ && Clock::now() >= next_present_) show_if_dirty();
    }

    void show_if_dirty() {
        if (!dirty_) return;
        const auto now = Clock::now();
        renderer_.draw(session_.game().form1, *frame_);
        screen_.show(*frame_);
        dirty_ = false;
        if (first_frame_) {
            stats_.first_frame(ms_since_process_start());
            first_frame_ = false;
        }
        const bool running = session_.any_timer_running();
        stats_.presented(running);
        // The next refresh after this one, on a grid that does not drift.
        const auto behind = (now - present_grid_) / refresh_ + 1;
        next_present_ = present_grid_ + refresh_ * behind;
    }

public:
    void print_stats() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        stats_.cpu(cpu, double(ns(Clock::now()) - ns(started_)) / 1e9);
        std::fputs(stats_.report(ns(Clock::now())).c_str(), stderr);
    }

private:
    static std::int64_t ns(Clock::time_point t) {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
    }

    Session& session_;
    Screen& screen_;
    Renderer renderer_;
    std::unique_ptr<Frame> frame_ = std::make_unique<Frame>();
    const WindowRun& run_;
    Recorder& recorder_;
    const std::chrono::nanoseconds period_;
    const std::chrono::nanoseconds refresh_;
    WindowStats stats_;
    const Clock::time_point started_ = Clock::now();
    const Clock::time_point present_grid_ = Clock::now();
    Clock::time_point next_present_ = Clock::now();
    bool first_frame_ = true;
    SdlGamepads gamepads_;
    std::vector<VirtualKey> pad_keys_;
    std::size_t next_replayed_ = 0;
    bool was_running_ = false;
    bool dirty_ = true;
    Clock::time_point epoch_ = Clock::now();  // tick n of a running streak is due at epoch + n periods
    std::int64_t scheduled_ = 0;
};

}  // namespace

int run_window(const WindowRun& run, TextRasterizer& text) {
    Video video;
    std::ofstream trace_file;
    std::unique_ptr<TraceWriter> trace;
    if (!run.trace_path.empty()) {
        trace_file.open(run.trace_path);
        if (!trace_file) throw std::runtime_error(run.trace_path + ": cannot write the trace file");
        trace = std::make_unique<TraceWriter>(trace_file);
    }
    std::unique_ptr<Screen> screen;
    Session session(
        run.base_seed, &text,
        [&](const std::string& prompt, const std::string& title) {
            auto frame = std::make_unique<Frame>();
            Renderer(text).draw(session.game().form1, *frame);
            screen->show(*frame);  // the explosion on the craft, under the box
            show_message_box(screen->window(), text, prompt, title);
        },
        trace.get());
    Recorder recorder(run.record_path, run.base_seed);
    session.start();  // the reset and the title come before the window is first shown
    screen = std::make_unique<Screen>(session.game().form1.caption(), run.scale, run.fullscreen);
    Host host(session, *screen, text, run, recorder);
    try {
        host.loop();
    } catch (const QuitRequested&) {
        // the game window was closed while the game-over box was open: nothing to save
    }
    if (run.stats) host.print_stats();
    return 0;
}

}  // namespace kx
