// The program's start, shared by every build: options, then the front end they ask for.
#include "app/launch.h"

#include <chrono>
#include <iostream>
#include <optional>

#include "app/headless.h"
#include "app/options.h"
#include "formats/game_link.h"
#include "run/seed_choice.h"
#include "run/verdict.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif

namespace kx {
namespace {

std::uint32_t clock_seed() {
    return std::uint32_t(std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFFu);
}

// A recording's path, or a game's link (which holds its seed).
InputScript read_game(const std::string& path_or_link) {
    return is_game_link(path_or_link) ? read_game_link(path_or_link) : read_input_script(path_or_link);
}

// A game to check or share needs its seed: the recording's, or --seed.
std::uint32_t seed_of(const Options& o, const InputScript& game, const std::string& name) {
    if (o.seed) return *o.seed;
    if (game.seed) return *game.seed;
    throw InputError(name + ": no seed line, and no --seed: the game cannot be played again without it");
}

int link_or_verify(const Options& o, const FrontEnds& front_ends) {
    if (!o.link_path.empty()) {
        const InputScript game = read_input_script(o.link_path);
        const std::string site = o.site.value_or(default_site());
        if (site.empty())
            throw UsageError(
                "--link needs the page's address, --site URL (this build was made with none: "
                "cmake -DKX_SITE_URL=... sets one)");
        std::cout << game_link(site, seed_of(o, game, o.link_path), game.events) << "\n";
        return 0;
    }
    const InputScript game = read_game(o.verify);
    const std::unique_ptr<TextRasterizer> text = front_ends.text();
    std::cout << verdict_line(verify_game(game, seed_of(o, game, o.verify), *text)) << "\n";
    return 0;
}

int run(const Options& o, const FrontEnds& front_ends) {
    if (!o.verify.empty() || !o.link_path.empty()) return link_or_verify(o, front_ends);
    std::optional<InputScript> input;
    if (!o.input_path.empty()) input = o.input_path == "-" ? read_input_script("-") : read_game(o.input_path);
    const std::uint32_t seed = choose_seed(o.seed, input, clock_seed());
    const std::unique_ptr<TextRasterizer> text = front_ends.text();
    if (o.headless) {
        HeadlessRun run{
            seed, input.value_or(InputScript{}), o.ticks, o.trace_path, o.screenshot_path, o.stop_at_game_over};
        return run_headless(run, *text);
    }
    WindowRun run;
    run.game.base_seed = seed;
    run.game.replay = std::move(input);
    run.game.tick_rate = o.tick_rate.value_or(kDefaultTickRate);
    run.game.pause_on_focus_loss = !o.no_pause_on_focus_loss;
    run.record_path = o.record_path;
    run.trace_path = o.trace_path;
    run.scale = o.scale;
    run.fullscreen = o.fullscreen;
    run.stats = o.stats;
    run.keys = o.keys;
    return front_ends.window(std::move(run), *text);
}

}  // namespace

int launch(const std::vector<std::string>& args, const FrontEnds& front_ends) {
    bool window_run = false;
    // A command-line mistake (status 2) is the typist's own and the line suffices; any other
    // failure of a window run may come to someone who started the game from a menu, a bad input
    // file too (a recording opened from the file manager).
    const auto fail = [&](const std::string& reason, bool show_box, int status) {
        std::cerr << "kippura-x: " << reason << std::endl;
        if (show_box && front_ends.error_box) front_ends.error_box(reason);
        return status;
    };
    try {
        const Options o = parse_options(args);
        if (o.help) {
            std::cout << help_text(o.keys, front_ends.layout_label);
            return 0;
        }
        if (o.version) {
            std::cout << "kippura-x " << KX_VERSION << "\n";
            return 0;
        }
        window_run = !o.headless;
        return run(o, front_ends);
    } catch (const UsageError& e) {
        std::cerr << "kippura-x: " << e.what() << "\n";
        return 2;
    } catch (const InputError& e) {
        return fail(e.what(), window_run, 2);
    } catch (const NoDisplay& e) {
        return fail(e.what(), false, 1);
    } catch (const std::exception& e) {
        return fail(e.what(), window_run, 1);
    }
}

}  // namespace kx
