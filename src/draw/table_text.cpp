// Looking texts up in the build-time table.
#include "draw/table_text.h"

#include <cmath>

namespace kx {

int quarter_points(const FontSpec& font) { return int(std::lround(font.points * 4)); }

TableText::FontKey TableText::key_of(const FontSpec& font) {
    return {int(font.face), quarter_points(font), font.bold, font.italic};
}

TableText::TableText(const TextTable& table) : table_(table) {
    for (std::size_t k = 0; k < table.entry_count; ++k) {
        const TextTableEntry& e = table.entries[k];
        index_[{FontKey{e.face, e.quarter_points, e.bold, e.italic}, e.text}] = &e;
    }
    for (std::size_t k = 0; k < table.line_skip_count; ++k) {
        const TextTableLineSkip& s = table.line_skips[k];
        line_skips_[FontKey{s.face, s.quarter_points, s.bold, s.italic}] = s.line_skip;
    }
}

const GlyphRun& TableText::rasterize(const std::string& text, const FontSpec& font) {
    const auto key = std::make_pair(key_of(font), text);
    if (const auto run = runs_.find(key); run != runs_.end()) return run->second;
    const auto found = index_.find(key);
    if (found == index_.end()) {
        missing_.insert("text \"" + text + "\" at " + std::to_string(quarter_points(font)) + "/4 pt");
        return empty_;
    }
    const TextTableEntry& e = *found->second;
    GlyphRun& run = runs_[key];
    run.width = e.width;
    run.height = e.height;
    const unsigned char* from = table_.coverage + e.coverage_at;
    run.coverage.assign(from, from + std::size_t(e.width) * std::size_t(e.height));
    return run;
}

int TableText::line_skip(const FontSpec& font) {
    const auto found = line_skips_.find(key_of(font));
    if (found != line_skips_.end()) return found->second;
    missing_.insert("line skip at " + std::to_string(quarter_points(font)) + "/4 pt");
    return 0;
}

}  // namespace kx
