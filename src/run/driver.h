// A game driven in real time, as the window and the web page drive it: key events between
// ticks, ticks when the tick clock says they are due, the replay feed, the game-over box and the
// pause, and the frame to show. The front end only translates its own events and its clock into
// these calls, and shows the frames it is given.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "run/input_script.h"
#include "run/pending_box.h"
#include "run/renderer.h"
#include "run/replay_feed.h"
#include "run/session.h"
#include "run/tick_clock.h"
#include "run/window_stats.h"

namespace kx {

struct DriverOptions {
    std::int64_t tick_period_ns = 1'000'000'000 / kDefaultTickRate;
    std::int64_t refresh_ns = 1'000'000'000 / 60;  // the display's refresh: at most a frame in each
    bool pause_on_focus_loss = true;
    std::optional<InputScript> replay;  // drives the game until its events run out
};

class Driver {
public:
    // Told of every key event the game receives, stamped with the tick count (for recordings).
    using KeyRecorder = std::function<void(const KeyEvent&)>;

    // A replayed game-over box closes by itself after this long: a replay is watched, not played.
    static constexpr std::int64_t kReplayBoxNs = 1'000'000'000;

    Driver(Session& session, TextRasterizer& text, DriverOptions options, KeyRecorder recorder = nullptr,
           WindowStats* stats = nullptr, std::int64_t now = 0);

    // Key events in virtual key codes. The front end keeps its own keys (fullscreen, the
    // desktop's shortcuts) and passes the rest; a controller's keys say so, since its A and B
    // close the box while the keyboard's Z does not.
    void key_down(int code, std::int64_t now, bool from_gamepad = false);
    void key_up(int code, std::int64_t now, bool from_gamepad = false);
    // The window lost the keyboard or was hidden: every key the game holds comes up, and play
    // pauses (unless the options say not to).
    void focus_lost(std::int64_t now);
    // A pointer pressed and released at a point of the frame (392 x 286 pixels): OK on the box.
    void pointer_down(int x, int y);
    void pointer_up(int x, int y, std::int64_t now);

    // Runs the replayed events and the ticks that are due by `now`.
    void advance(std::int64_t now);
    // When advance() has something to do next, or a frame is due; INT64_MAX: only an event can
    // change anything.
    std::int64_t wake_at() const;

    // Whether a new frame should go out now, and that frame.
    bool present_due(std::int64_t now) const;
    const Frame& present(std::int64_t now);
    // The window was exposed or resized: show the frame again.
    void invalidate() { dirty_ = true; }

    bool replaying() const { return replay_given_ && !feed_.done(); }
    bool paused() const { return paused_; }
    bool box_open() const { return box_ != nullptr; }
    // Play runs: the play tick or the ending's roll, which the pause can stop.
    bool playing() const;
    std::int64_t ticks() const { return session_.ticks(); }

private:
    void to_game(bool down, int code);
    void release_held();
    void pause(std::int64_t now);
    void resume(std::int64_t now);
    void close_box();
    void note_running(std::int64_t now);

    Session& session_;
    TextRasterizer& text_;
    Renderer renderer_;
    DriverOptions options_;
    KeyRecorder recorder_;
    WindowStats* stats_;
    TickClock clock_;
    PresentGrid grid_;
    ReplayFeed feed_;
    bool replay_given_;

    std::set<int> held_;           // codes of the keys down in the game
    std::set<int> let_go_in_box_;  // released while the box was open; the game hears it on closing
    bool paused_ = false;
    std::unique_ptr<PendingBox> box_;
    std::int64_t box_opened_ = 0;
    int box_key_ = 0;       // the key whose release closes the box, once pressed on it
    bool ok_held_ = false;  // the pointer went down on OK
    bool was_running_ = false;
    bool dirty_ = true;
    std::int64_t next_present_ = 0;
    std::int64_t skipped_seen_ = 0;
    std::unique_ptr<Frame> frame_ = std::make_unique<Frame>();
};

}  // namespace kx
