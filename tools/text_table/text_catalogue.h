// Every text the game can show, found by running the game's own drawing code: the title, the
// staff roll of the ending, the score line for every score, the game-over box.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "elements/text_style.h"

namespace kx {

// Passes every request on to the real rasterizer and remembers it.
class RecordingText final : public TextRasterizer {
public:
    using FontKey = std::tuple<int, int, bool, bool>;  // face, quarter points, bold, italic
    explicit RecordingText(TextRasterizer& real) : real_(real) {}

    const GlyphRun& rasterize(const std::string& text, const FontSpec& font) override;
    int line_skip(const FontSpec& font) override;

    const std::map<std::pair<FontKey, std::string>, const GlyphRun*>& runs() const { return runs_; }
    const std::map<FontKey, int>& line_skips() const { return line_skips_; }

private:
    TextRasterizer& real_;
    std::map<std::pair<FontKey, std::string>, const GlyphRun*> runs_;
    std::map<FontKey, int> line_skips_;
};

// Draws everything the game can draw into frames, through `text`.
void show_every_text(RecordingText& text);

}  // namespace kx
