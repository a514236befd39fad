#include "contact_sheet.h"

#include <algorithm>
#include <cstdint>

#include "font5x7.h"
#include "png.h"

namespace picgen {
namespace {

constexpr std::uint8_t kBackdrop = 128;  // neutral grey
constexpr std::uint8_t kLabelInk = 16;

class Sheet {
public:
    Sheet(int width, int height)
        : w_(width), h_(height), rgb_(std::size_t(width) * std::size_t(height) * 3, kBackdrop) {}

    void dot(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
        const std::size_t i = (std::size_t(y) * std::size_t(w_) + std::size_t(x)) * 3;
        rgb_[i] = std::uint8_t(c.r);
        rgb_[i + 1] = std::uint8_t(c.g);
        rgb_[i + 2] = std::uint8_t(c.b);
    }

    void block(int x, int y, int size, Rgb c) {
        for (int dy = 0; dy < size; ++dy)
            for (int dx = 0; dx < size; ++dx) dot(x + dx, y + dy, c);
    }

    // Masked-out pixels are left as the backdrop.
    void picture(const Canvas& c, int x, int y, int scale) {
        for (int py = 0; py < c.height(); ++py)
            for (int px = 0; px < c.width(); ++px)
                if (const auto& colour = c.swatch(c.at(px, py)).colour)
                    block(x + px * scale, y + py * scale, scale, *colour);
    }

    void text(const std::string& s, int x, int y, int size) {
        for (char ch : s) {
            const auto& g = glyph(ch);
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g[std::size_t(row)][col] == '#')
                        block(x + col * size, y + row * size, size, {kLabelInk, kLabelInk, kLabelInk});
            x += 6 * size;
        }
    }

    void save(const std::string& path) const { write_png(path, w_, h_, rgb_); }

private:
    int w_, h_;
    std::vector<std::uint8_t> rgb_;
};

struct Cell {
    const Picture* picture;
    int x, y, w, h;
};

}  // namespace

void write_contact_sheet(const std::vector<Picture>& pictures, int scale, const std::string& path) {
    const int font = std::max(1, scale / 2);
    const int gap = 6 * scale;
    const int label_h = 9 * font;

    // Lay the pictures out in rows, left to right, wrapping at the sheet's width.
    auto cell_width = [&](const Picture& p) {
        return std::max(p.canvas.width() * scale, int(p.name.size()) * 6 * font);
    };
    int all_in_one_row = gap, widest = 0;
    for (const Picture& p : pictures) {
        all_in_one_row += cell_width(p) + gap;
        widest = std::max(widest, cell_width(p) + 2 * gap);
    }
    const int sheet_w = std::max(widest, std::min(480 * scale, all_in_one_row));
    std::vector<Cell> cells;
    int x = gap, y = gap, row_h = 0;
    for (const Picture& p : pictures) {
        const int w = cell_width(p);
        const int h = p.canvas.height() * scale + label_h;
        if (x + w + gap > sheet_w && x > gap) {
            x = gap;
            y += row_h + gap;
            row_h = 0;
        }
        cells.push_back({&p, x, y, w, h});
        x += w + gap;
        row_h = std::max(row_h, h);
    }

    Sheet sheet(sheet_w, y + row_h + gap);
    for (const Cell& c : cells) {
        sheet.picture(c.picture->canvas, c.x, c.y, scale);
        sheet.text(c.picture->name, c.x, c.y + c.picture->canvas.height() * scale + font * 2, font);
    }
    sheet.save(path);
}

}  // namespace picgen
