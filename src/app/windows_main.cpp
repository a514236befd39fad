// kippura-x on Windows: the Win32 window, text from the table baked at build time, and failures
// told in the console the game was started from or, for a game started from Explorer or the
// Start menu, in a message box.
#include <memory>

#include "app/launch.h"
#include "draw/table_text.h"
#include "windows/win_console.h"
#include "windows/win_keys.h"
#include "windows/win_window.h"

int wmain(int argc, wchar_t** argv) {
    const bool someone_reads = kx::connect_standard_streams();
    kx::FrontEnds front_ends;
    front_ends.text = [] { return std::make_unique<kx::TableText>(kx::kTextTable); };
    front_ends.window = kx::run_win32_window;
    front_ends.error_box = [someone_reads](const std::string& text) {
        if (!someone_reads) kx::show_error_box(text);
    };
    front_ends.layout_label = kx::layout_label;
    return kx::launch(kx::utf8_arguments(argc, argv), front_ends);
}
