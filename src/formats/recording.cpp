// Writing recordings.
#include "formats/recording.h"

namespace kx {

void write_recording_start(ByteSink& out, std::uint32_t seed, const std::string& made_by) {
    out.write("# " + made_by + "\nseed " + std::to_string(seed) + "\n");
}

void write_key_event(ByteSink& out, const KeyEvent& event) {
    out.write(std::to_string(event.tick) + (event.down ? " down " : " up ") + std::to_string(event.code) + "\n");
}

}  // namespace kx
