// Text served from the build-time table: the same glyphs as the desktop's, with no font engine.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "draw/text_table.h"
#include "elements/text_style.h"

namespace kx {

class TableText final : public TextRasterizer {
public:
    explicit TableText(const TextTable& table);

    // A text or font missing from the table draws nothing and is remembered here.
    const GlyphRun& rasterize(const std::string& text, const FontSpec& font) override;
    int line_skip(const FontSpec& font) override;

    const std::set<std::string>& missing() const { return missing_; }

private:
    using FontKey = std::tuple<int, int, bool, bool>;  // face, quarter points, bold, italic
    static FontKey key_of(const FontSpec& font);

    const TextTable& table_;
    std::map<std::pair<FontKey, std::string>, const TextTableEntry*> index_;
    std::map<std::pair<FontKey, std::string>, GlyphRun> runs_;
    std::map<FontKey, int> line_skips_;
    std::set<std::string> missing_;
    GlyphRun empty_;
};

// The key a font has in the table: sizes are kept in quarter points.
int quarter_points(const FontSpec& font);

}  // namespace kx
