// The window front end. The host owns the loop: it sleeps until the next tick is due or an event
// arrives, runs due ticks (a few at most after a stall), and shows the latest frame.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "platform/renderer.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_message_box.h"
#include "platform/session.h"
#include "stage/pictures.h"

namespace kx {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::nanoseconds kTickPeriod{kTickPeriodNs};

struct SdlError : std::runtime_error {
    explicit SdlError(const std::string& what) : std::runtime_error(what + ": " + SDL_GetError()) {}
};

struct Video {
    Video() {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
            throw std::runtime_error(std::string("cannot open a window (is there a display?): ") + SDL_GetError() +
                                     "; run with --headless to play a replay without a screen");
    }
    ~Video() { SDL_Quit(); }
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;
};

template <typename T, void (*Destroy)(T*)>
struct SdlDeleter {
    void operator()(T* p) const { if (p) Destroy(p); }
};
using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter<SDL_Window, SDL_DestroyWindow>>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter<SDL_Renderer, SDL_DestroyRenderer>>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter<SDL_Texture, SDL_DestroyTexture>>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter<SDL_Surface, SDL_FreeSurface>>;

void set_icon(SDL_Window* window) {
    const Picture& icon = game_picture("icon");
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.pixels.data()), icon.width,
                                                          icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888));
    if (surface) SDL_SetWindowIcon(window, surface.get());
}

class Screen {
public:
    Screen(const std::string& caption, TextRasterizer& text) : renderer_(text) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        window_.reset(SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kClientWidth,
                                       kClientHeight, SDL_WINDOW_SHOWN));
        if (!window_) throw SdlError("cannot create the window");
        set_icon(window_.get());
        sdl_renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
        if (!sdl_renderer_) sdl_renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
        if (!sdl_renderer_) throw SdlError("cannot draw in the window");
        SDL_RenderSetLogicalSize(sdl_renderer_.get(), kClientWidth, kClientHeight);
        SDL_RenderSetIntegerScale(sdl_renderer_.get(), SDL_TRUE);
        texture_.reset(SDL_CreateTexture(sdl_renderer_.get(), SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                         kClientWidth, kClientHeight));
        if (!texture_) throw SdlError("cannot create the frame texture");
    }

    void show(const Form1& form) {
        renderer_.draw(form, *frame_);
        SDL_UpdateTexture(texture_.get(), nullptr, frame_->pixels.data(), Frame::kWidth * 4);
        SDL_SetRenderDrawColor(sdl_renderer_.get(), 0, 0, 0, 255);
        SDL_RenderClear(sdl_renderer_.get());
        SDL_RenderCopy(sdl_renderer_.get(), texture_.get(), nullptr, nullptr);
        SDL_RenderPresent(sdl_renderer_.get());
    }

    SDL_Window* window() const { return window_.get(); }

private:
    Renderer renderer_;
    std::unique_ptr<Frame> frame_ = std::make_unique<Frame>();
    WindowPtr window_;
    RendererPtr sdl_renderer_;
    TexturePtr texture_;
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
    Host(Session& session, Screen& screen, const WindowRun& run, Recorder& recorder)
        : session_(session), screen_(screen), run_(run), recorder_(recorder) {}

    void loop() {
        for (;;) {
            const bool running = session_.any_timer_running();
            if (running && !was_running_) restart_clock();
            was_running_ = running;
            if (replay_due(running)) continue;
            SDL_Event ev;
            if (wait_for_event(running, ev)) {
                if (ev.type == SDL_QUIT) return;
                handle(ev);
                continue;  // drain the events before ticking
            }
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
        dirty_ = true;
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

    bool wait_for_event(bool running, SDL_Event& ev) {
        if (!running) {
            show_if_dirty();
            return SDL_WaitEvent(&ev) != 0;
        }
        const auto due = epoch_ + kTickPeriod * (scheduled_ + 1);
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
        return wait > 0 ? SDL_WaitEventTimeout(&ev, int(wait)) != 0 : SDL_PollEvent(&ev) != 0;
    }

    void handle(const SDL_Event& ev) {
        if ((ev.type == SDL_KEYDOWN || ev.type == SDL_KEYUP) && !run_.replay)
            key(ev.type == SDL_KEYDOWN, virtual_key_code(ev.key.keysym.sym));
        else if (ev.type == SDL_WINDOWEVENT && ev.window.event == SDL_WINDOWEVENT_EXPOSED)
            dirty_ = true;
    }

    void run_due_ticks() {
        if (!session_.any_timer_running()) return;
        const std::int64_t due = (Clock::now() - epoch_) / kTickPeriod;
        if (due - scheduled_ > kMaxCatchUpTicks) scheduled_ = due - kMaxCatchUpTicks;  // no burst after a stall
        while (scheduled_ < due && session_.any_timer_running()) {
            session_.run_period();
            ++scheduled_;
            dirty_ = true;
            if (run_.replay) break;  // replayed events may fall between these ticks
        }
        show_if_dirty();
    }

    void show_if_dirty() {
        if (!dirty_) return;
        screen_.show(session_.game().form1);
        dirty_ = false;
    }

    Session& session_;
    Screen& screen_;
    const WindowRun& run_;
    Recorder& recorder_;
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
    Session session(run.base_seed, &text,
                    [&](const std::string& prompt, const std::string& title) {
                        screen->show(session.game().form1);  // the explosion on the craft, under the box
                        show_message_box(screen->window(), text, prompt, title);
                    },
                    trace.get());
    Recorder recorder(run.record_path, run.base_seed);
    session.start();  // the reset and the title come before the window is first shown
    screen = std::make_unique<Screen>(session.game().form1.caption(), text);
    Host host(session, *screen, run, recorder);
    try {
        host.loop();
    } catch (const QuitRequested&) {
        // the game window was closed while the game-over box was open: nothing to save
    }
    return 0;
}

}  // namespace kx
