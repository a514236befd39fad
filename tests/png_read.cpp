// PNG through SDL_image, converted to plain RGB pixels.
#include "png_read.h"

#include <SDL.h>
#include <SDL_image.h>

namespace kx::test {

std::optional<Image> read_png(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return std::nullopt;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!rgb) return std::nullopt;
    Image image{rgb->w, rgb->h, {}};
    image.pixels.resize(std::size_t(rgb->w) * std::size_t(rgb->h));
    SDL_LockSurface(rgb);
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x)
            image.pixels[std::size_t(y) * std::size_t(rgb->w) + std::size_t(x)] = row[x] & 0xFFFFFFu;
    }
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    return image;
}

}  // namespace kx::test
