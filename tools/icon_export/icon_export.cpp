// icon_export DIR: writes the window icon (the chick) as DIR/NxN/org.kippurax.kippurax.png for
// the desktop's icon theme, and the browser page's icons as DIR/web/icon-N.png and
// icon-maskable-N.png, scaled by nearest neighbour so that its pixels stay crisp.
#include <cstdio>
#include <filesystem>
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
    } catch (const std::exception& e) {
        std::fprintf(stderr, "icon_export: %s\n", e.what());
        return 1;
    }
    return 0;
}
