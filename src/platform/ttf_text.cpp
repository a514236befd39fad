// SDL_ttf glyph rendering into coverage masks.
#include "platform/ttf_text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cmath>
#include <stdexcept>

namespace kx {
namespace {

// Sizes like 14.25 points are not whole: open the font at four times the size and a quarter
// of the resolution, which gives the same pixel size.
constexpr int kQuarterDpi = 96 / 4;

int quarter_points(double points) { return int(std::lround(points * 4)); }

}  // namespace

TtfText::TtfText(FontFiles files) : files_(std::move(files)) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0)
        throw std::runtime_error(std::string("cannot start the font renderer: ") + TTF_GetError());
    font_for(FontSpec{FontFace::Gothic, 9});
    font_for(FontSpec{FontFace::Interface, 9});
}

TtfText::~TtfText() {
    for (auto& [key, font] : fonts_) TTF_CloseFont(font);
}

TTF_Font* TtfText::font_for(const FontSpec& style) {
    const FontKey key{style.face, quarter_points(style.points), style.bold, style.italic};
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    const std::string& file = style.face == FontFace::Gothic ? files_.gothic : files_.interface;
    TTF_Font* font = TTF_OpenFontDPI(file.c_str(), std::get<1>(key), kQuarterDpi, kQuarterDpi);
    if (!font) throw std::runtime_error("cannot open the font " + file + ": " + TTF_GetError());
    // FreeType synthesizes bold and italic where the font has no such face.
    TTF_SetFontStyle(font, (style.bold ? TTF_STYLE_BOLD : 0) | (style.italic ? TTF_STYLE_ITALIC : 0));
    TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
    fonts_.emplace(key, font);
    return font;
}

int TtfText::line_skip(const FontSpec& font) { return TTF_FontLineSkip(font_for(font)); }

const GlyphRun& TtfText::rasterize(const std::string& text, const FontSpec& style) {
    const FontKey key{style.face, quarter_points(style.points), style.bold, style.italic};
    auto [it, added] = runs_.try_emplace({key, text});
    if (!added || text.empty()) return it->second;
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font_for(style), text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!surface) return it->second;  // nothing drawable: an empty run
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    if (!argb) return it->second;
    GlyphRun& run = it->second;
    run.width = argb->w;
    run.height = argb->h;
    run.coverage.resize(std::size_t(run.width) * std::size_t(run.height));
    SDL_LockSurface(argb);
    for (int y = 0; y < run.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < run.width; ++x)
            run.coverage[std::size_t(y) * std::size_t(run.width) + std::size_t(x)] = std::uint8_t(row[x] >> 24);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return run;
}

}  // namespace kx
