// Whole files through zlib's gzip format, for the golden traces kept compressed in the repository.
#pragma once

#include <optional>
#include <string>

namespace kx::test {

// nullopt when the file cannot be read or is not gzip.
std::optional<std::string> read_gzip(const std::string& path);
// Best compression; the header carries no time stamp, so the same text gives the same bytes.
// Throws std::runtime_error when the file cannot be written.
void write_gzip(const std::string& path, const std::string& text);

}  // namespace kx::test
