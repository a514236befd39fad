// Command-line options and the help text.
#include "app/options.h"

#include <string_view>

#include "formats/game_link.h"
#include "formats/input_script.h"
#include "run/tick_clock.h"

namespace kx {
namespace {

constexpr std::int64_t kMaxTicks = 4'000'000'000'000'000'000;

// The text in lines of at most `width` characters, each after `indent` spaces.
std::string wrapped(std::string_view text, std::size_t width, std::size_t indent) {
    std::string out, line;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find(' ', from);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && indent + line.size() + 1 + word.size() > width) {
            out += std::string(indent, ' ') + line + "\n";
            line.clear();
        }
        // Appended in place: "" + std::string makes mingw's g++ 12 see an overlapping copy that
        // is not there (GCC bug 105329, -Wrestrict).
        if (!line.empty()) line += ' ';
        line += word;
    }
    if (!line.empty()) out += std::string(indent, ' ') + line + "\n";
    return out;
}

}  // namespace

std::string default_site() { return KX_SITE_URL; }

Options parse_options(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t n = 0; n < args.size(); ++n) {
        const std::string& arg = args[n];
        auto value = [&]() -> const std::string& {
            if (n + 1 >= args.size()) throw UsageError("option " + arg + " needs a value (see --help)");
            return args[++n];
        };
        if (arg == "--headless")
            o.headless = true;
        else if (arg == "--help" || arg == "-h")
            o.help = true;
        else if (arg == "--version")
            o.version = true;
        else if (arg == "--seed") {
            const auto v = parse_whole(value(), 0, 4294967295);
            if (!v) throw UsageError("--seed takes a whole number from 0 to 4294967295, for example --seed 42");
            o.seed = std::uint32_t(*v);
        } else if (arg == "--ticks") {
            const auto v = parse_whole(value(), 0, kMaxTicks);
            if (!v) throw UsageError("--ticks takes a whole number of 0 or more, for example --ticks 600");
            o.ticks = *v;
        } else if (arg == "--input")
            o.input_path = value();
        else if (arg == "--trace")
            o.trace_path = value();
        else if (arg == "--screenshot")
            o.screenshot_path = value();
        else if (arg == "--record")
            o.record_path = value();
        else if (arg == "--fullscreen")
            o.fullscreen = true;
        else if (arg == "--stats")
            o.stats = true;
        else if (arg == "--stop-at-game-over")
            o.stop_at_game_over = true;
        else if (arg == "--no-pause-on-focus-loss")
            o.no_pause_on_focus_loss = true;
        else if (arg == "--scale") {
            const auto v = parse_whole(value(), 1, 16);
            if (!v) throw UsageError("--scale takes a whole number from 1 to 16, for example --scale 2");
            o.scale = int(*v);
        } else if (arg == "--tick-rate") {
            const auto v = parse_whole(value(), kMinTickRate, kMaxTickRate);
            if (!v)
                throw UsageError("--tick-rate takes ticks per second from " + std::to_string(kMinTickRate) + " to " +
                                 std::to_string(kMaxTickRate) + ", for example --tick-rate 50");
            o.tick_rate = int(*v);
        } else if (arg == "--verify")
            o.verify = value();
        else if (arg == "--link")
            o.link_path = value();
        else if (arg == "--site") {
            o.site = value();
            if (const auto why = site_fault(*o.site)) throw UsageError("--site: " + *why);
        } else if (arg == "--keys") {
            try {
                o.keys = KeyBindings::parse(value());
            } catch (const KeyBindingError& e) {
                throw UsageError(std::string("--keys: ") + e.what());
            }
        } else
            throw UsageError("unknown option " + arg + " (see --help)");
    }
    const bool link_or_verify = !o.verify.empty() || !o.link_path.empty();
    if (!o.verify.empty() && !o.link_path.empty()) throw UsageError("--verify and --link: one at a time");
    if (o.site && o.link_path.empty()) throw UsageError("--site works with --link only");
    if (link_or_verify && (o.headless || !o.input_path.empty() || !o.record_path.empty() || !o.trace_path.empty() ||
                           !o.screenshot_path.empty() || o.ticks || o.scale || o.fullscreen || o.tick_rate || o.stats ||
                           o.stop_at_game_over || o.no_pause_on_focus_loss || !o.keys.usual()))
        throw UsageError(!o.verify.empty() ? "--verify takes no other option but --seed"
                                           : "--link takes no other option but --seed and --site");
    if (link_or_verify) return o;
    if (!o.headless && !o.screenshot_path.empty()) throw UsageError("--screenshot works with --headless only");
    if (!o.headless && o.ticks) throw UsageError("--ticks works with --headless only");
    if (!o.headless && o.stop_at_game_over) throw UsageError("--stop-at-game-over works with --headless only");
    if (o.headless && !o.record_path.empty()) throw UsageError("--record works in the window only");
    if (o.headless && (o.scale || o.fullscreen || o.tick_rate || o.stats || o.no_pause_on_focus_loss))
        throw UsageError(
            "--scale, --fullscreen, --tick-rate, --stats and --no-pause-on-focus-loss work in the window only");
    if (o.headless && !o.keys.usual())
        throw UsageError("--keys works in the window only (a replay holds the keys the game heard)");
    return o;
}

std::string help_text(const KeyBindings& keys, const std::function<char32_t(int place)>& label_here) {
    return R"(kippura-x: fly the chick, shoot the ducks, beat five bosses.

usage: kippura-x [options]

Playing (a window opens):
  --record FILE        write every key event to FILE, to replay the game later
                         kippura-x --record mygame.kxr
  --input FILE|LINK    watch a recording or a game's link in the window: Space
                       pauses, . one tick forward, Up and Down faster and
                       slower, Left and Right 5 seconds back and on, Home,
                       End and 0..9 seek; Escape hands the game over to you
                         kippura-x --input mygame.kxr
  --seed N             base seed of the random numbers (0..4294967295)
  --scale N            window size in multiples of 392 x 286, 1..16 (default:
                       the largest that fits the screen; a larger one opens at
                       that largest, and says so)
  --fullscreen         start in fullscreen (F11 or Alt+Enter toggles it)
  --tick-rate HZ       ticks per second, )" +
           std::to_string(kMinTickRate) + ".." + std::to_string(kMaxTickRate) + " (default " +
           std::to_string(kDefaultTickRate) + R"(); lower is slower
  --no-pause-on-focus-loss
                       keep playing when the window loses the keyboard
  --keys KEYS          other keys for this run (nothing is saved):
                       left-hand    W A S D steer, Space or Shift fire
                       right-hand   the arrows steer, Right Ctrl, Numpad 0
                                    or Return fire (the keypad's Enter starts)
                       ROLE=KEY[+KEY...],...  roles up, down, left, right,
                       fire, start; keys by their place on a US keyboard
                       (KeyW, Space, RightCtrl, Numpad0, ArrowUp) or, as
                       one character, by their label on yours (W)
                         kippura-x --keys left-hand,fire=Space+KeyJ
  --stats              on exit, print the tick cadence, frame pacing,
                       start-up time and CPU use

Without a screen:
  --headless           run without a window and without real time
  --input FILE|-       the key events to replay ('-' reads standard input)
  --seed N             base seed; wins over a seed line in the input file
  --ticks T            stop after T timer ticks
  --stop-at-game-over  stop at the first game over, its box on the screenshot
  --trace FILE|-       write the trace, one JSON object a line ('-': stdout)
  --screenshot F.png   write the last frame as a 392 x 286 PNG
                         kippura-x --headless --input mygame.kxr \
                           --stop-at-game-over --screenshot end.png

Recordings and links (no window):
  --verify FILE|LINK   play a recording or a game's link through and print one
                       line: seed, ticks, score, bosses beaten, how it ended
                       and a hash of the last state
  --link FILE          print the game's link, to watch and share in a browser
  --site URL           the page the link opens (default: the one this build
                       was made with, )" +
           (default_site().empty() ? std::string("none") : default_site()) + R"())
                         kippura-x --link mygame.kxr --site https://example.org/

  --help               this text
  --version            the version

Keys: any key starts; the arrow keys steer; Z fires: the key in Z's place on
a US keyboard and the key labelled Z on yours. P or Pause pauses; P, Pause or
Return goes on. F11 and Alt+Enter toggle fullscreen. The game-over box closes
on Return, Space, Escape or a click on OK. A game controller: D-pad or left
stick steer, A or B fire, Start starts and goes on after a pause.
)" + std::string(keys.usual() ? "The keys on this keyboard:\n" : "The keys of --keys:\n") +
           wrapped(keys.describe(label_here), 80, 2) + R"(
Quit by closing the window (Alt+F4). After the fifth boss the staff roll ends
on THE END, which stays until the window is closed. To watch a whole game to
its ending: kippura-x --input /usr/share/games/kippura-x/whole-game-replay.kxr
(the replay installed with the game; beside kippura-x.exe on Windows).
)";
}

}  // namespace kx
