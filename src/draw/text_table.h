// The table of every text the game shows, rendered at build time by the desktop's own font
// code (tools/text_table), so that the browser and the Windows build need no font engine.
#pragma once

#include <cstddef>

namespace kx {

struct TextTableEntry {
    int face;  // FontFace
    int quarter_points;
    bool bold;
    bool italic;
    const char* text;  // UTF-8
    int width;
    int height;
    std::size_t coverage_at;  // into TextTable::coverage, width * height bytes
};

struct TextTableLineSkip {
    int face;
    int quarter_points;
    bool bold;
    bool italic;
    int line_skip;
};

struct TextTable {
    const TextTableEntry* entries;
    std::size_t entry_count;
    const TextTableLineSkip* line_skips;
    std::size_t line_skip_count;
    const unsigned char* coverage;
};

// Made by the build (text_table_data.cpp, generated).
extern const TextTable kTextTable;

}  // namespace kx
