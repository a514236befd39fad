// Writing recordings.
#include "formats/recording.h"

namespace kx {

void write_recording_start(std::ostream& out, std::uint32_t seed, const std::string& made_by) {
    out << "# " << made_by << "\nseed " << seed << "\n";
}

void write_key_event(std::ostream& out, const KeyEvent& event) {
    out << event.tick << (event.down ? " down " : " up ") << event.code << "\n";
}

}  // namespace kx
