// Text through SDL_ttf (FreeType), at 96 dots per inch, with rasterized runs cached.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "elements/text_style.h"
#include "platform/font_files.h"

typedef struct _TTF_Font TTF_Font;  // NOLINT(bugprone-reserved-identifier): SDL_ttf's own name

namespace kx {

class TtfText final : public TextRasterizer {
public:
    explicit TtfText(FontFiles files);  // throws std::runtime_error when a font cannot be opened
    ~TtfText() override;
    TtfText(const TtfText&) = delete;
    TtfText& operator=(const TtfText&) = delete;

    const GlyphRun& rasterize(const std::string& text, const FontSpec& font) override;
    int line_skip(const FontSpec& font) override;

private:
    // One font object per face, size and style: changing a style empties SDL_ttf's glyph cache.
    using FontKey = std::tuple<FontFace, int, bool, bool>;  // size in quarter points
    TTF_Font* font_for(const FontSpec& style);

    FontFiles files_;
    std::map<FontKey, TTF_Font*> fonts_;
    std::map<std::pair<FontKey, std::string>, GlyphRun> runs_;
};

}  // namespace kx
