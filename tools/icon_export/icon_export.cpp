// icon_export DIR: writes the window icon (the chick) as DIR/NxN/org.kippurax.kippurax.png for
// the desktop's icon theme, the browser page's icons as DIR/web/icon-N.png and
// icon-maskable-N.png, and the Windows program's DIR/kippura-x.ico, scaled by nearest neighbour
// so that its pixels stay crisp.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "form/pictures.h"
#include "formats/png_file.h"

namespace {

constexpr std::uint32_t kSky = 0xFF00FFFF;  // the game's cyan sky, behind a maskable icon

// The icon scaled to `size` pixels inside a square of `canvas` pixels filled with `background`
// (0: transparent, where the icon is copied as it is).
std::vector<std::uint32_t> icon_in_square(const kx::Picture& icon, int size, int canvas, std::uint32_t background) {
    std::vector<std::uint32_t> pixels(std::size_t(canvas) * std::size_t(canvas), background);
    const int margin = (canvas - size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::uint32_t p = icon.at(x * icon.width / size, y * icon.height / size);
            if ((p >> 24) != 0 || background == 0)
                pixels[std::size_t(y + margin) * std::size_t(canvas) + std::size_t(x + margin)] = p;
        }
    return pixels;
}

void put16(std::string& out, unsigned v) {
    out += char(v & 0xFF);
    out += char(v >> 8 & 0xFF);
}
void put32(std::string& out, std::size_t v) {
    put16(out, unsigned(v & 0xFFFF));
    put16(out, unsigned(v >> 16 & 0xFFFF));
}

// An .ico file whose images are PNG files (Windows Vista and later read them at every size): a
// directory of the images, then the images. The sizes are those Windows asks for: the small
// icon at 100 % to 200 % (16, 20, 24, 32), the large one (32, 40, 48, 64) and Explorer's 256.
void write_ico(const kx::Picture& icon, const std::filesystem::path& path) {
    constexpr int kSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
    constexpr std::size_t kCount = std::size(kSizes);
    std::vector<std::string> images;
    for (int size : kSizes)
        images.push_back(kx::png_argb_bytes(size, size, icon_in_square(icon, size, size, 0).data()));
    std::string out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, kCount);
    std::size_t offset = 6 + 16 * kCount;
    for (std::size_t i = 0; i < kCount; ++i) {
        const int size = kSizes[i];
        out += char(size == 256 ? 0 : size);  // width and height; 0 stands for 256
        out += char(size == 256 ? 0 : size);
        out += char(0);  // no palette
        out += char(0);  // reserved
        put16(out, 1);   // colour planes
        put16(out, 32);  // bits a pixel
        put32(out, images[i].size());
        put32(out, offset);
        offset += images[i].size();
    }
    for (const std::string& image : images) out += image;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << out;
    if (!file.flush()) throw std::runtime_error(path.string() + ": cannot write the icon");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_export DIR\n");
        return 2;
    }
    const kx::Picture& icon = kx::game_picture("icon");
    const std::filesystem::path out = argv[1];
    try {
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const auto dir = out / (std::to_string(size) + "x" + std::to_string(size));
            std::filesystem::create_directories(dir);
            kx::write_png_argb((dir / "org.kippurax.kippurax.png").string(), size, size,
                               icon_in_square(icon, size, size, 0).data());
        }
        // An installed page's icons; the maskable ones are the chick on its sky, inside the
        // middle 60 % that every launcher's mask (circle, rounded square) leaves whole.
        std::filesystem::create_directories(out / "web");
        for (int size : {192, 512}) {
            const std::string n = std::to_string(size);
            kx::write_png_argb((out / "web" / ("icon-" + n + ".png")).string(), size, size,
                               icon_in_square(icon, size, size, 0).data());
            kx::write_png_argb((out / "web" / ("icon-maskable-" + n + ".png")).string(), size, size,
                               icon_in_square(icon, size * 3 / 5, size, kSky).data());
        }
        kx::write_png_argb((out / "web" / "icon-32.png").string(), 32, 32, icon_in_square(icon, 32, 32, 0).data());
        write_ico(icon, out / "kippura-x.ico");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "icon_export: %s\n", e.what());
        return 1;
    }
    return 0;
}
