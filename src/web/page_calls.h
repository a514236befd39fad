// What the page (site/page.js) can call in the program: one game at a time. Times are the page's
// performance.now() in milliseconds; strings are UTF-8 and stay valid until the next call.
#pragma once

#include <cstdint>

extern "C" {

// Reads an input file for the next game; 0 when it is well formed, else -1 and kx_error() says why.
int kx_parse_input(const char* input);
// The same from the file's bytes as they are (a byte-order mark, UTF-16, CRLF: the parser's to read).
int kx_parse_input_bytes(const std::uint8_t* bytes, int length);
const char* kx_error();
// A new game: the query's seed (when has_seed), the clock's seed, the query's tick rate (0: the
// game's default) and tick limit (negative: none), replaying the input file parsed last, if any.
// The values are the query's as it gave them and are checked here as the command line's are: 0
// when the game started, else -1 and kx_error() says why (the game before it, if any, goes on).
int kx_start(int has_seed, double seed, double clock_seed, double tick_rate, double max_ticks, double now_ms);

// The query's ?keys= text (UTF-8, `length` bytes), the same as --keys, for the games from now on;
// null: the usual keys. 0 when taken, else -1, the usual keys, and kx_error() says why.
int kx_keys(const char* text, int length);
// What the player's layout prints on a key's place (an index into key_places(), as tables.js
// numbers them), as the browser tells it; 0: unknown. Only kx_keys_in_force() reads it.
void kx_layout_label(int place, int label);
// The keys in force, role by role, with the labels of the player's layout where known.
const char* kx_keys_in_force();

// The player's keys (each by its place, tables.js's index, -1 for a place of no code of its own,
// and the character its layout prints on it, 0 for none), pointers at a point of the 392 x 286
// frame, and the page losing the keyboard or being hidden. A key's release sends the game the
// code its press sent. A pointer let go is a tap on the game too, the touch pad's Start where
// nothing else takes it (web/tap_rule.h).
void kx_key(int down, int place, int label, double now_ms);
void kx_pointer(int down, int x, int y, double now_ms);
void kx_focus_lost(double now_ms);
// Controllers (the touch pad is one too, kTouchPad), each under a number of the page's choosing.
// Buttons are GamepadKeys::Button (input/gamepad_keys.h), whose numbers the page reads from
// tables.js (web/page_tables.h); the stick's axes -32768..32767.
void kx_pad_button(int pad, int button, int pressed, double now_ms);
void kx_pad_stick(int pad, int x, int y, double now_ms);
void kx_pad_gone(int pad, double now_ms);

// Runs what is due; 1 when a new picture is in kx_pixels() (392 x 286 RGBA bytes).
int kx_frame(double now_ms);
const std::uint8_t* kx_pixels();
// The tick count of the picture last made.
double kx_ticks();

int kx_box_open();
int kx_paused();
int kx_running();
int kx_replaying();
int kx_finished();
// Where the chick is, for the browser tests.
int kx_chick_x();
int kx_chick_y();
// The score of the game played last: the one in play, or the one that just ended (box or ending).
int kx_score();

// The game's recording so far, as an input file.
const char* kx_recording();

// A game's link (the whole link, its fragment, or what follows "#play="), `length` bytes, for
// the next game, watched: 0 when it is sound, else -1 and kx_error() says why in one line.
int kx_open_link(const char* link, int length);
// The link of the game played last, on the page at `site` (its address with no fragment):
// empty, and kx_error() says why, for an address that cannot start a link.
const char* kx_link(const char* site, int length);

// A watched replay (a link, a dropped file, ?input=): whether its controls still work (until the
// player takes over or plays), pause, one tick on, speed (an index of kx_watch_speed_label's),
// a seek to a tick (0..kx_watch_end()), and the player taking over. kx_watch_end() and
// kx_verdict() play the replay through the first time they are called.
int kx_watching();
int kx_watch_paused();
void kx_watch_pause(int paused, double now_ms);
void kx_watch_step(double now_ms);
int kx_watch_speed();
void kx_set_watch_speed(int speed, double now_ms);
const char* kx_watch_speed_label(int speed);  // "1/4x" .. "4x", "max"
void kx_watch_seek(double tick, double now_ms);
double kx_watch_end();
// What the watched game comes to, the line --verify prints: empty when nothing is watched.
const char* kx_verdict();
void kx_take_over(double now_ms);
// The game's own tick count now (kx_ticks() is the picture's).
double kx_game_ticks();
const char* kx_caption();
// What the game asked for that the text table lacks: empty, or one line per text.
const char* kx_missing_text();

}  // extern "C"
