// Comparing two traces record by record, to say where a run left the recorded one: the first
// record that differs and the fields inside it, by path ("state.ahirux[1]: expected 448, got 450").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx::test {

// The scalar values of one JSON record in document order, each with its path ("elements.ahiru[0].x")
// and its text as written. A record that is not valid JSON gives one entry with an empty path.
using JsonLeaves = std::vector<std::pair<std::string, std::string>>;
JsonLeaves json_leaves(std::string_view record);

// "path: expected X, got Y" for each field that differs, in the expected record's order, then
// "path: expected nothing, got Y" for fields only the actual record has.
std::vector<std::string> record_differences(std::string_view expected, std::string_view actual);

// Empty when the traces are the same; else the first differing record (line number, "ev" and
// "ticks") and up to `max_fields` of its differing fields, one a line.
std::string first_difference(std::string_view expected, std::string_view actual, std::size_t max_fields = 5);

// FNV-1a, 64 bits.
std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ull);
std::string hex64(std::uint64_t v);

}  // namespace kx::test
