// PNG through SDL_image.
#include "platform/png_file.h"

#include <SDL.h>
#include <SDL_image.h>

#include <stdexcept>

namespace kx {

void write_png(const std::string& path, const Frame& frame) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(frame.pixels.data()), Frame::kWidth,
                                           Frame::kHeight, 32, Frame::kWidth * 4, SDL_PIXELFORMAT_XRGB8888);
    if (!surface) throw std::runtime_error(std::string("cannot prepare the screenshot: ") + SDL_GetError());
    const int status = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (status != 0) throw std::runtime_error(path + ": cannot write the screenshot: " + IMG_GetError());
}

void write_png_argb(const std::string& path, int width, int height, const std::uint32_t* pixels) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(pixels), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) throw std::runtime_error(std::string("cannot prepare the picture: ") + SDL_GetError());
    const int status = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (status != 0) throw std::runtime_error(path + ": cannot write the picture: " + IMG_GetError());
}

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

}  // namespace kx
