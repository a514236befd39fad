// Which base seed a run uses: the one given on the command line or in the page's query wins
// over the replay's seed line, which wins over the clock.
#pragma once

#include <cstdint>
#include <optional>

#include "formats/input_script.h"

namespace kx {

inline std::uint32_t choose_seed(std::optional<std::uint32_t> given, const std::optional<InputScript>& replay,
                                 std::uint32_t clock) {
    if (given) return *given;
    if (replay && replay->seed) return *replay->seed;
    return clock;
}

}  // namespace kx
