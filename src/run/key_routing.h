// Where a key event goes, from the event and the run's state alone: to the game, to the box, to
// the pause, to the replay, or nowhere. The router keeps the keys held down in the game, so that
// every release whose press reached the game reaches it too, and holds back those let go of while
// the box is open until it closes.
#pragma once

#include <set>

namespace kx {

// What the run is doing when a key comes.
struct KeyGate {
    bool box_open = false;
    bool paused = false;
    bool replaying = false;
    bool playing = false;  // the play tick or the ending's roll runs: P pauses it
};

enum class KeyRoute {
    none,         // nothing hears it
    to_game,      // the game hears it, press or release
    box_press,    // a fresh press of a key that closes the box: its release will
    box_release,  // a release while the box is open: the box may close on it
    resume,       // the pause ends
    pause,        // play pauses
    take_over,    // Escape during a replay: the player takes over
    watch,        // any other key pressed during a replay: the replay's controls
};

class KeyRouter {
public:
    // Where the event goes. A press that goes to the game is held from now on.
    KeyRoute route(bool down, int code, bool from_pad, const KeyGate& gate);
    // A replayed event, held like the player's: it comes up on focus loss or Escape.
    void replayed(bool down, int code);
    // Every key held, let go of now: the game hears each come up.
    std::set<int> let_go_all();
    // The box closed: the keys let go of while it was open come up now, with those still held.
    // A replay's keys stay as the replay holds them.
    std::set<int> box_closed(bool replaying);

private:
    std::set<int> held_;           // codes of the keys down in the game
    std::set<int> let_go_in_box_;  // released while the box was open; the game hears it on closing
};

}  // namespace kx
