// PNG writing: one IHDR, one zlib-compressed IDAT of unfiltered rows, IEND.
#include "formats/png_file.h"

#include <zlib.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "formats/output_file.h"

namespace kx {
namespace {

void put32(std::string& out, std::uint32_t v) {
    for (const int shift : {24, 16, 8, 0}) out += char(v >> shift & 0xFF);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, std::uint32_t(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

// `rows`: for each row a filter byte (0, none) and its pixels, `channels` bytes each.
std::string png_bytes(int width, int height, int channels, const std::vector<std::uint8_t>& rows) {
    std::string header;
    put32(header, std::uint32_t(width));
    put32(header, std::uint32_t(height));
    header += {8, char(channels == 4 ? 6 : 2), 0, 0, 0};  // 8 bits a channel, RGB(A), no interlace
    uLongf packed_size = compressBound(uLong(rows.size()));
    std::string packed(packed_size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, rows.data(), uLong(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress the picture");
    packed.resize(packed_size);
    std::string out = "\x89PNG\r\n\x1a\n";
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", "");
    return out;
}

void write_file(const std::string& path, const std::string& bytes, const char* what) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error(cannot_write(path, what));
}

}  // namespace

void write_png(const std::string& path, const Frame& frame) {
    std::vector<std::uint8_t> rows;
    rows.reserve(std::size_t(Frame::kHeight) * (1 + Frame::kWidth * 3));
    for (int y = 0; y < Frame::kHeight; ++y) {
        rows.push_back(0);
        for (int x = 0; x < Frame::kWidth; ++x) {
            const std::uint32_t p = frame.at(x, y);
            rows.insert(rows.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
        }
    }
    write_file(path, png_bytes(Frame::kWidth, Frame::kHeight, 3, rows), "screenshot");
}

std::string png_argb_bytes(int width, int height, const std::uint32_t* pixels) {
    std::vector<std::uint8_t> rows;
    rows.reserve(std::size_t(height) * (1 + std::size_t(width) * 4));
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            rows.insert(rows.end(),
                        {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), std::uint8_t(p >> 24)});
        }
    }
    return png_bytes(width, height, 4, rows);
}

void write_png_argb(const std::string& path, int width, int height, const std::uint32_t* pixels) {
    write_file(path, png_argb_bytes(width, height, pixels), "picture");
}

}  // namespace kx
