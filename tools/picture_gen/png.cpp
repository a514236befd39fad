#include "png.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace picgen {
namespace {

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

// A PNG chunk: length, type, data, and the CRC of type and data.
void put_chunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
    put_u32(out, std::uint32_t(data.size()));
    const std::size_t crc_from = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + crc_from, uInt(out.size() - crc_from));
    put_u32(out, std::uint32_t(crc));
}

}  // namespace

void write_png(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
    // Each row starts with filter type 0 (none).
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(height) * (std::size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const auto row = rgb.begin() + std::ptrdiff_t(y) * width * 3;
        raw.insert(raw.end(), row, row + width * 3);
    }
    uLongf packed_size = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("cannot compress " + path);
    packed.resize(packed_size);

    std::vector<std::uint8_t> header;
    put_u32(header, std::uint32_t(width));
    put_u32(header, std::uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    put_chunk(file, "IHDR", header);
    put_chunk(file, "IDAT", packed);
    put_chunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace picgen
