// The controls of a watched replay: its speeds, and the keys that work them in a window (the
// game never hears a key while a replay drives it, so every key is free for watching).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kx {

// A speed as a fraction of the run's tick rate; 0/0: as fast as it goes.
struct WatchSpeed {
    int times;
    int per;
    const char* label;
};
inline constexpr std::array<WatchSpeed, 6> kWatchSpeeds{
    {{1, 4, "1/4x"}, {1, 2, "1/2x"}, {1, 1, "1x"}, {2, 1, "2x"}, {4, 1, "4x"}, {0, 0, "max"}}};
inline constexpr int kNormalSpeed = 2;
inline constexpr int kFastestSpeed = int(kWatchSpeeds.size()) - 1;

// What a key does while a replay is watched.
struct WatchKey {
    enum class Does { nothing, pause, step, faster, slower, seek_by_seconds, seek_to_tenth, seek_to_end };
    Does does = Does::nothing;
    int amount = 0;  // seconds for seek_by_seconds, tenths for seek_to_tenth
};

// Space, P or Pause: pause and go on; '.': one tick on; Up and Down: faster and slower; Left and
// Right: 5 seconds back and on; Home, 0..9: to the start and to tenths of the game; End: its end.
WatchKey watch_key(int code);

// What a window's title says while a replay is watched, before the game's caption: the speed or
// the pause, the tick of the game's end, and the score.
//   "REPLAY 2x | tick 1234 of 4294 | score 12 | <caption>"
struct WatchTitle {
    int speed = kNormalSpeed;
    bool paused = false;
    std::int64_t tick = 0;
    std::int64_t end = 0;
    int score = 0;
};
std::string watch_title(const WatchTitle& at, const std::string& caption);

}  // namespace kx
