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

}  // namespace kx
