// kippura-x: chooses the front end from the command line and reports failures in one line (and,
// for a window run, in a desktop box too).
#include <chrono>
#include <iostream>

#include "app/options.h"
#include "platform/fatal_error_box.h"
#include "platform/headless.h"
#include "platform/sdl_window.h"
#include "platform/ttf_text.h"
#include "platform/video_driver.h"
#include "run/seed_choice.h"

#ifndef KX_VERSION
#define KX_VERSION "0.0.0"
#endif

namespace {

std::uint32_t clock_seed() {
    return std::uint32_t(std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFFu);
}

int run(const kx::Options& o) {
    std::optional<kx::InputScript> input;
    if (!o.input_path.empty()) input = kx::read_input_script(o.input_path);
    const std::uint32_t seed = kx::choose_seed(o.seed, input, clock_seed());
    kx::TtfText text(kx::find_font_files());
    if (o.headless) {
        kx::HeadlessRun run{seed, input.value_or(kx::InputScript{}), o.ticks, o.trace_path, o.screenshot_path};
        return kx::run_headless(run, text);
    }
    kx::WindowRun run;
    run.game.base_seed = seed;
    run.game.replay = std::move(input);
    run.game.tick_rate = o.tick_rate.value_or(kx::kDefaultTickRate);
    run.game.pause_on_focus_loss = !o.no_pause_on_focus_loss;
    run.record_path = o.record_path;
    run.trace_path = o.trace_path;
    run.scale = o.scale;
    run.fullscreen = o.fullscreen;
    run.stats = o.stats;
    return kx::run_window(std::move(run), text);
}

// A command-line mistake (status 2) is the typist's own and the line suffices; any other failure
// of a window run may come to someone who started the game from a menu and sees no terminal.
int fail(const std::string& reason, bool show_box) {
    std::cerr << "kippura-x: " << reason << std::endl;
    if (show_box) kx::show_fatal_error_box(reason);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool window_run = false;
    try {
        const kx::Options o = kx::parse_options(std::vector<std::string>(argv + 1, argv + argc));
        if (o.help) {
            std::cout << kx::help_text();
            return 0;
        }
        if (o.version) {
            std::cout << "kippura-x " << KX_VERSION << "\n";
            return 0;
        }
        window_run = !o.headless;
        return run(o);
    } catch (const kx::UsageError& e) {
        std::cerr << "kippura-x: " << e.what() << "\n";
        return 2;
    } catch (const kx::InputError& e) {
        std::cerr << "kippura-x: " << e.what() << "\n";
        return 2;
    } catch (const kx::NoDisplay& e) {
        return fail(e.what(), false);
    } catch (const std::exception& e) {
        return fail(e.what(), window_run);
    }
}
