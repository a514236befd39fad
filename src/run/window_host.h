// What every window front end does between its system's calls, written once: which key presses
// are the game's, the keys the game holds (for the system loops that swallow their releases),
// focus loss, a click turned into a frame point, the window to be drawn again, a display of
// another refresh rate, the driver's work with the frame it shows, and how long to sleep. The
// front end turns its events into these calls and provides the screen.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "elements/frame.h"
#include "input/held_keys.h"
#include "input/key_bindings.h"
#include "run/driver.h"
#include "run/window_keys.h"

namespace kx {

// The front end's window, as the host uses it.
class WindowScreen {
public:
    virtual ~WindowScreen() = default;
    // Shows the frame (the screen copies only what changed since the frame it showed last).
    virtual void show(const Frame& frame) = 0;
    // Nothing of the last frame can be relied on in the window: the next is drawn whole.
    virtual void invalidate() = 0;
    virtual void toggle_fullscreen() = 0;
    // The refresh rate of the display the window is on.
    virtual int refresh_rate() const = 0;
    // The window's title (UTF-8).
    virtual void set_title(const std::string& title) = 0;
};

class WindowHost {
public:
    using Clock = std::int64_t (*)();  // the front end's steady clock, in nanoseconds

    // `keys`: which key plays which role (the game hears the code they give each key).
    WindowHost(Driver& driver, WindowScreen& screen, Clock clock, const KeyBindings& keys = KeyBindings());

    void key_down(const WindowKeyPress& press);
    void key_up(const PressedKey& key);
    // A loop of the system's own (moving, sizing) took the key messages: each key the game holds
    // that `still_down` says is up now (asked by its place) comes up in the game.
    void let_go_released(const std::function<bool(int place)>& still_down);
    // The window lost the keyboard or was hidden.
    void focus_lost();
    // A left click at a point of a window of `width` x `height` points whose surface has
    // `pixel_width` x `pixel_height` pixels (more on a high-DPI display).
    void pointer(bool down, int x, int y, int width, int height, int pixel_width, int pixel_height);
    // The window was exposed or resized: it is drawn whole again.
    void exposed();
    // The window is shown, or may be on another display: its refresh rate is read (again).
    void display_changed();

    // Runs what is due and shows the frame if one is due; while a replay is watched, the title
    // says where it is (at most a few times a second).
    void step();
    // How long to sleep for the driver's next wake-up, or for `also`, whichever comes first, in
    // whole milliseconds rounded up; nothing: until an event comes.
    std::optional<std::int64_t> wait_ms(std::int64_t also = INT64_MAX) const;
    std::int64_t next_wake(std::int64_t also = INT64_MAX) const;

    std::int64_t now() const { return clock_(); }
    Driver& driver() { return driver_; }

private:
    Driver& driver_;
    WindowScreen& screen_;
    void show_title(std::int64_t now);

    Clock clock_;
    std::string title_;  // the title shown
    std::int64_t title_at_ = 0;
    // Which key plays which role, and the keys the game heard go down and not yet come up.
    HeldKeys keys_;
};

}  // namespace kx
