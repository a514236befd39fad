// Recordings: the input files that a run writes as it goes and --input or ?input= replays (the
// format is read by formats/input_script.h). Key codes are stored as they are, not by role.
#pragma once

#include <cstdint>
#include <string>

#include "formats/byte_sink.h"
#include "formats/input_script.h"

namespace kx {

// The first lines: a comment saying what made the file, and the seed.
void write_recording_start(ByteSink& out, std::uint32_t seed, const std::string& made_by = "kippura-x recording");
// One key event, stamped with the tick count.
void write_key_event(ByteSink& out, const KeyEvent& event);

}  // namespace kx
