// A game driven in real time, as every front end with a screen drives it: key events and
// controllers between ticks, ticks when the tick clock says they are due, the replay feed and
// the tick limit, the game-over box and the pause, the recording, and the frame to show. A front
// end only turns its own events and clock into these calls, shows the frames it is given and
// sleeps until wake_at().
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "draw/renderer.h"
#include "formats/byte_sink.h"
#include "formats/input_script.h"
#include "input/gamepad_keys.h"
#include "run/box_state.h"
#include "run/key_routing.h"
#include "run/pacing.h"
#include "run/pad_set.h"
#include "run/pending_box.h"
#include "run/replay_feed.h"
#include "run/replay_timeline.h"
#include "run/session.h"
#include "run/shown_frame.h"
#include "run/tick_clock.h"
#include "run/watch_controls.h"
#include "run/window_stats.h"

namespace kx {

struct DriverSetup {
    std::uint32_t base_seed = 0;             // see run/seed_choice.h
    std::optional<InputScript> replay;       // drives the game until its events run out
    std::optional<std::int64_t> tick_limit;  // the run stops once this many ticks have run
    int tick_rate = kDefaultTickRate;        // ticks a second
    // The display's refreshes a second: at most one frame goes out in each. 0: the front end's
    // own calls are paced by the display already (a browser's animation frames).
    int refresh_hz = 60;
    bool pause_on_focus_loss = true;
    GameTrace* trace = nullptr;     // the trace, or null
    ByteSink* recording = nullptr;  // the recording, written as the game goes, or null
    // When the process started, on the front end's clock: --stats tells how long the first
    // frame took from there.
    std::optional<std::int64_t> process_started;
};

class Driver {
public:
    // A watched game-over box (a replay's, or a run with a tick limit) closes by itself after
    // this long: a replay is watched, not played.
    static constexpr std::int64_t kReplayBoxNs = BoxState::kWatchedNs;

    // Starts the run: the reset and the title, the trace's first record, the recording's header.
    // Times are nanoseconds of the front end's steady clock.
    Driver(TextRasterizer& text, DriverSetup setup, std::int64_t now);

    // Key events in virtual key codes. The front end keeps its own keys (fullscreen, the
    // desktop's shortcuts) and passes the rest.
    void key_down(int code, std::int64_t now) { key(true, code, now, false); }
    void key_up(int code, std::int64_t now) { key(false, code, now, false); }
    // Controllers, each under a number the front end chooses (the page's touch pad is one too):
    // buttons, the left stick (each axis -32768..32767, y downwards), and a controller going away.
    void pad_button(int pad, GamepadKeys::Button button, bool pressed, std::int64_t now);
    void pad_stick(int pad, int x, int y, std::int64_t now);
    void pad_stick_axis(int pad, bool vertical, int value, std::int64_t now);  // one axis moved
    void pad_gone(int pad, std::int64_t now);
    // The window lost the keyboard or was hidden: every key the game holds comes up, and play
    // pauses (unless the setup says not to).
    void focus_lost(std::int64_t now);
    // A pointer pressed and released at a point of the frame (392 x 286 pixels): OK on the box.
    void pointer_down(int x, int y);
    void pointer_up(int x, int y, std::int64_t now);
    // The window is now on a display that refreshes `hz` times a second.
    void display_refresh(int hz, std::int64_t now);

    // Runs the controllers' key repeats, the replayed events and the ticks that are due by `now`.
    void advance(std::int64_t now);
    // When advance() has something to do next, or a frame is due; INT64_MAX: only an event can
    // change anything.
    std::int64_t wake_at() const;

    // Whether a new frame should go out now, and that frame.
    bool present_due(std::int64_t now) const;
    const Frame& present(std::int64_t now);
    // The window was exposed or resized: show the frame again.
    void invalidate() { pacing_.mark(); }

    // Watching a replay: its controls work from its start until the player takes over or one of
    // the player's keys reaches the game (after the replay's last event), or, with a recording
    // file, until that file has the replay's events. A tick reached by any of them shows what a
    // headless replay cut at that tick shows.
    bool watching() const { return watching_; }
    bool watch_paused() const { return watch_paused_; }
    void watch_pause(bool paused, std::int64_t now);
    // One tick on, paused.
    void watch_step(std::int64_t now);
    // An index into kWatchSpeeds.
    int watch_speed() const { return speed_; }
    void watch_speed(int speed, std::int64_t now);
    // To the tick (0..watch_end()), paused or playing as before.
    void watch_seek(std::int64_t tick, std::int64_t now);
    // Where the watched replay ends, and what it comes to. The first call plays it through once.
    std::int64_t watch_end() { return timeline().end(); }
    const Verdict& watch_verdict() { return timeline().verdict(); }
    // The player takes over at once, with none of the replay's keys held: the recording holds
    // the replay's events up to now and the player's after.
    void take_over(std::int64_t now);

    // The game as an input file: the seed and every key event the game heard so far.
    std::string recording_text() const;
    std::uint32_t base_seed() const { return session_.base_seed(); }
    const std::vector<KeyEvent>& heard() const { return heard_; }

    bool replaying() const { return feed_ && !feed_->done(); }
    bool paused() const { return paused_; }
    bool box_open() const { return box_.is_open(); }
    // The box shown now, or null.
    const PendingBox* box() const { return box_.box(); }
    // Play runs: the play tick or the ending's roll, which the pause can stop.
    bool playing() const;
    // A timer runs: ticks will come.
    bool running() const { return session_.any_timer_running(); }
    // The run has reached its tick limit: nothing more will run.
    bool finished() const { return session_.ticks() >= tick_limit_; }
    std::int64_t ticks() const { return session_.ticks(); }
    // The tick count of the frame last presented (the box shows the moment the game asked).
    std::int64_t shown_ticks() const { return shown_.ticks(); }

    const Session& session() const { return session_; }
    const std::string& caption() const { return session_.game().form1.caption(); }
    // The cadence figures of the run (--stats); the front end adds what only it can measure.
    WindowStats& stats() { return pacing_.stats(); }

private:
    void key(bool down, int code, std::int64_t now, bool from_pad);
    void to_game(bool down, int code);
    void let_go(const std::set<int>& codes);
    void pad_keys(std::int64_t now);
    void pause(std::int64_t now);
    void resume(std::int64_t now);
    void close_box();
    void watch_key(int code, std::int64_t now);
    void stop_watching(std::int64_t now);
    // The recording's header and every event the game heard so far.
    void write_heard(ByteSink& out) const;
    void write_recording_so_far();
    ReplayTimeline& timeline();
    bool watch_ticking() const { return speed_ == kFastestSpeed; }
    bool replay_step();
    void open_box(std::int64_t now);
    // A timer runs with neither box nor pause: frames go out at most once a refresh.
    bool in_play() const { return running() && !paused_ && !watch_paused_ && !box_.is_open(); }
    // Ticks are due: in play, the limit not reached.
    bool ticking() const { return in_play() && !finished(); }
    bool box_closes_by_itself() const { return replaying() || watched_; }

    TextRasterizer& text_;
    Session session_;
    ShownFrame shown_;
    std::int64_t tick_limit_;
    bool pause_on_focus_loss_;
    bool watched_;  // a replay cut by a tick limit: no player takes over, its boxes close by themselves
    ByteSink* recording_;
    std::optional<ReplayFeed> feed_;
    PadSet pads_;
    KeyRouter router_;
    BoxState box_;
    bool paused_ = false;
    int tick_rate_;
    Pacing pacing_;
    // The watched replay (its seed and events, kept for the timeline), its controls' state.
    std::optional<InputScript> watched_game_;
    std::unique_ptr<ReplayTimeline> timeline_;
    bool watching_ = false;
    bool watch_paused_ = false;
    int speed_ = kNormalSpeed;
    // Every event the game heard; the recording file has them once recording_live_ is set (a
    // watched replay's are written when the watching ends: a seek may take some back).
    std::vector<KeyEvent> heard_;
    bool recording_live_ = false;
};

}  // namespace kx
