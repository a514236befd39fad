// kx_page_tables OUT.js: writes the program's tables that the page reads (site/tables.js): the
// frame's size, the key places with their numbers in the program, the touch pad's number and buttons,
// and a standard controller's buttons. The page then holds no number of the game's own, and a
// change of a table here reaches it at the next build.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "elements/frame.h"
#include "input/key_places.h"
#include "web/page_tables.h"

namespace {

// Appends the pieces in turn (no temporary strings).
template <typename... Pieces>
void put(std::string& js, const Pieces&... pieces) {
    (js.append(pieces), ...);
}
std::string number(int n) { return std::to_string(n); }
std::string number(kx::GamepadKeys::Button button) { return std::to_string(int(button)); }

std::string tables_js() {
    std::string js;
    put(js, "// The program's tables, written by the build (tools/page_tables) from the game's own: do not edit.\n",
        "'use strict';\n\nwindow.kxTables = Object.freeze({\n");
    put(js, "  frame: {width: ", number(kx::Frame::kWidth), ", height: ", number(kx::Frame::kHeight), "},\n");
    put(js, "  // KeyboardEvent.code, the key's place, to its number in the program (kx_key); any other\n",
        "  // place is -1.\n  keyPlaces: {");
    std::size_t column = 120;  // the table's names are plain words, quoted as they are
    for (std::size_t n = 0; n < kx::key_places().size(); ++n) {
        const kx::KeyPlace& place = kx::key_places()[n];
        const std::string code = number(int(n));
        const std::size_t size = place.name.size() + code.size() + 6;  // ` "name": code,`
        if (column + size > 116) {
            js += "\n   ";
            column = 3;
        }
        put(js, " \"", place.name, "\": ", code, ",");
        column += size;
    }
    put(js, "\n  },\n");
    put(js, "  // The touch pad: its controller number and its zones' buttons (kx_pad_button).\n  touchPad: ",
        number(kx::kTouchPad), ",\n  touchPadButtons: {");
    const char* comma = "";
    for (const kx::NamedButton& b : kx::kTouchPadButtons) {
        put(js, comma, b.name, ": ", number(b.button));
        comma = ", ";
    }
    put(js, "},\n  // A controller in the browser's standard layout: [index in Gamepad.buttons, the button].\n",
        "  standardButtons: [");
    comma = "";
    for (const kx::StandardButton& b : kx::kStandardButtons) {
        put(js, comma, "[", number(b.index), ", ", number(b.button), "]");
        comma = ", ";
    }
    js += "],\n});\n";
    return js;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kx_page_tables OUT.js\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << tables_js();
    out.close();
    if (!out) {
        std::cerr << "kx_page_tables: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
