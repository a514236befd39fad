// gzip files through zlib's gzFile functions.
#include "gzip_file.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace kx::test {

std::optional<std::string> read_gzip(const std::string& path) {
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in) return std::nullopt;
    std::string text;
    char buf[1 << 16];
    int n = 0;
    while ((n = gzread(in, buf, sizeof buf)) > 0) text.append(buf, std::size_t(n));
    const bool clean = n == 0 && gzdirect(in) == 0;
    gzclose(in);
    if (!clean) return std::nullopt;
    return text;
}

void write_gzip(const std::string& path, const std::string& text) {
    gzFile out = gzopen(path.c_str(), "wb9");
    if (!out) throw std::runtime_error(path + ": cannot write");
    std::size_t at = 0;
    bool ok = true;
    while (ok && at < text.size()) {
        const unsigned chunk = unsigned(std::min<std::size_t>(text.size() - at, 1u << 20));
        ok = gzwrite(out, text.data() + at, chunk) == int(chunk);
        at += chunk;
    }
    if (gzclose(out) != Z_OK || !ok) throw std::runtime_error(path + ": cannot write");
}

}  // namespace kx::test
