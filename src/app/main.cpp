// kippura-x: chooses the front end from the command line and reports failures in one line.
#include <chrono>
#include <iostream>

#include "app/options.h"
#include "platform/headless.h"
#include "platform/sdl_window.h"
#include "platform/ttf_text.h"

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
    // --seed wins over the file's seed line, which wins over the clock.
    const std::uint32_t seed = o.seed ? *o.seed : (input && input->seed ? *input->seed : clock_seed());
    kx::TtfText text(kx::find_font_files());
    if (o.headless) {
        kx::HeadlessRun run{seed, input.value_or(kx::InputScript{}), o.ticks, o.trace_path, o.screenshot_path};
        return kx::run_headless(run, text);
    }
    kx::WindowRun run{
        seed,   input, o.record_path, o.trace_path, o.scale, o.fullscreen, o.tick_rate.value_or(kx::kDefaultTickRate),
        o.stats};
    run.pause_on_focus_loss = !o.no_pause_on_focus_loss;
    return kx::run_window(run, text);
}

}  // namespace

int main(int argc, char** argv) {
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
        return run(o);
    } catch (const kx::UsageError& e) {
        std::cerr << "kippura-x: " << e.what() << "\n";
        return 2;
    } catch (const kx::InputError& e) {
        std::cerr << "kippura-x: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "kippura-x: " << e.what() << "\n";
        return 1;
    }
}
