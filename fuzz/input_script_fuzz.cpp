// libFuzzer target: the replay input-file parser never crashes on any bytes. A bad file is
// refused with an InputError that names the file and the line; a good one gives events whose
// stamps never decrease and whose codes are 16-bit, and writing it out again reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "formats/input_script.h"

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "input_script_fuzz: %s\n", what);
    std::abort();
}

std::string write_out(const kx::InputScript& script) {
    std::string text;
    if (script.seed) text += "seed " + std::to_string(*script.seed) + "\n";
    for (const kx::KeyEvent& e : script.events)
        text += std::to_string(e.tick) + (e.down ? " down " : " up ") + std::to_string(e.code) + "\n";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Whole numbers: what is accepted is exactly a plain decimal within the bounds.
    if (const auto v = kx::parse_whole(text, 0, 4294967295)) {
        if (*v < 0 || *v > 4294967295 || std::to_string(*v).size() > text.size()) broken("parse_whole out of bounds");
        if (text.find_first_not_of("0123456789") != std::string::npos) broken("parse_whole took a non-digit");
    }

    std::istringstream in(text);
    kx::InputScript script;
    try {
        script = kx::parse_input_script(in, "fuzz");
    } catch (const kx::InputError& e) {
        if (std::string_view(e.what()).substr(0, 5) != "fuzz:") broken("an error message that does not name the file");
        return 0;
    }
    for (std::size_t k = 0; k < script.events.size(); ++k) {
        const kx::KeyEvent& e = script.events[k];
        if (e.tick < 0 || e.code < 0 || e.code > 65535) broken("an event out of range");
        if (k > 0 && e.tick < script.events[k - 1].tick) broken("stamps that go back");
    }
    std::istringstream again(write_out(script));
    const kx::InputScript reread = kx::parse_input_script(again, "again");
    if (reread.seed != script.seed || reread.events != script.events) broken("written out, it reads back differently");
    return 0;
}
