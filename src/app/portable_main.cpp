// kippura-x for any Linux desktop: SDL's window, the text drawn from the baked table (no font
// engine, no fonts needed), and the desktop's error box.
#include <memory>

#include "app/launch.h"
#include "draw/table_text.h"
#include "platform/fatal_error_box.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_window.h"

int main(int argc, char** argv) {
    kx::FrontEnds front_ends;
    front_ends.text = [] { return std::make_unique<kx::TableText>(kx::kTextTable); };
    front_ends.window = kx::run_window;
    front_ends.error_box = kx::show_fatal_error_box;
    front_ends.layout_label = kx::layout_label_without_window;
    return kx::launch(std::vector<std::string>(argv + 1, argv + argc), front_ends);
}
