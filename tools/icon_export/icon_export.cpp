// icon_export DIR: writes the window icon (the chick) as DIR/NxN/org.kippurax.kippurax.png for
// the desktop's icon theme, scaled by nearest neighbour so that its pixels stay crisp.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "form/pictures.h"
#include "formats/png_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_export DIR\n");
        return 2;
    }
    const kx::Picture& icon = kx::game_picture("icon");
    try {
        for (int size : {16, 32, 48, 64, 128, 256}) {
            std::vector<std::uint32_t> pixels(std::size_t(size) * std::size_t(size));
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    pixels[std::size_t(y * size + x)] = icon.at(x * icon.width / size, y * icon.height / size);
            const auto dir = std::filesystem::path(argv[1]) / (std::to_string(size) + "x" + std::to_string(size));
            std::filesystem::create_directories(dir);
            kx::write_png_argb((dir / "org.kippurax.kippurax.png").string(), size, size, pixels.data());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "icon_export: %s\n", e.what());
        return 1;
    }
    return 0;
}
