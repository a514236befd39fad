// What a golden run reaches (the ending, bosses beaten, game overs), read from its trace, and
// what its input file says it must reach: a rule change that cuts a golden short is caught even
// when the golden is recorded again.
#pragma once

#include <optional>
#include <string>

namespace kx::test {

struct Reach {
    bool ending = false;  // the staff roll ran to its end
    int bosses = 0;       // bosses beaten
    int game_overs = 0;
};

// Read from a trace (JSON Lines).
Reach reach_of(const std::string& trace);
// The input file's line "# reaches: the ending, 5 bosses beaten, 0 game overs" (each part may be
// left out: a golden that never reaches the ending does not name it). Empty when there is none;
// throws std::runtime_error on a line it cannot read.
std::optional<Reach> stated_reach(const std::string& input_file);
// Whether `actual` reaches all that `stated` names.
bool reaches(const Reach& actual, const Reach& stated);
// "the ending, 5 bosses beaten, 0 game overs", as the input file's line writes it.
std::string describe(const Reach& reach);
// The input file with its "# reaches:" line replaced by (or given) this one.
std::string with_stated_reach(const std::string& input_file, const Reach& reach);

}  // namespace kx::test
