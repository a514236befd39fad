#include "canvas.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace picgen {

Canvas::Canvas(int width, int height, char background)
    : w_(width), h_(height), keys_(std::size_t(width) * std::size_t(height), background) {}

void Canvas::add_colour(char key, int r, int g, int b) {
    for (const Swatch& s : palette_)
        if (s.key == key || (s.colour && *s.colour == Rgb{r, g, b}))
            throw std::logic_error(std::string("palette key or colour used twice: ") + key);
    palette_.push_back({key, Rgb{r, g, b}});
}

void Canvas::add_masked_out(char key) { palette_.push_back({key, std::nullopt}); }

const Swatch& Canvas::swatch(char key) const {
    for (const Swatch& s : palette_)
        if (s.key == key) return s;
    throw std::logic_error(std::string("no palette entry for key ") + key);
}

void Canvas::put(int x, int y, char key) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    keys_[std::size_t(y) * std::size_t(w_) + std::size_t(x)] = key;
}

void Canvas::paint(const Mask& m, char key) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (m.at(x, y)) put(x, y, key);
}

void Canvas::paint_on(const Mask& m, char key, char on) { paint(m & where(on), key); }

void Canvas::sticker(const Mask& m, char fill, char outline, double width) {
    paint(m, outline);
    paint(m.shrunk(width), fill);
}

Mask Canvas::where(char key) const {
    Mask m(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (at(x, y) == key) m.set(x, y);
    return m;
}

void Canvas::flood_fill(int x, int y, char key) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    const char old = at(x, y);
    if (old == key) return;
    std::vector<std::pair<int, int>> todo{{x, y}};
    while (!todo.empty()) {
        auto [px, py] = todo.back();
        todo.pop_back();
        if (px < 0 || py < 0 || px >= w_ || py >= h_ || at(px, py) != old) continue;
        put(px, py, key);
        todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
}

void Canvas::mirror() {
    for (int y = 0; y < h_; ++y) {
        auto row = keys_.begin() + std::ptrdiff_t(y) * w_;
        std::reverse(row, row + w_);
    }
}

std::string Canvas::to_kxp(const std::string& name, const std::string& about) const {
    const std::set<char> used(keys_.begin(), keys_.end());
    std::ostringstream out;
    out << "# " << name << ": " << about << "\n";
    out << "# Drawn by tools/picture_gen; edit the generator rather than this file.\n";
    out << "size " << w_ << ' ' << h_ << "\n";
    if (transparent_)
        out << "transparent " << transparent_->r << ' ' << transparent_->g << ' ' << transparent_->b << "\n";
    out << "palette\n";
    for (const Swatch& s : palette_) {
        if (!used.count(s.key)) continue;
        out << s.key << ' ';
        if (s.colour)
            out << s.colour->r << ' ' << s.colour->g << ' ' << s.colour->b << "\n";
        else
            out << "none\n";
    }
    out << "pixels\n";
    for (int y = 0; y < h_; ++y) {
        out.write(&keys_[std::size_t(y) * std::size_t(w_)], w_);
        out << "\n";
    }
    return out.str();
}

}  // namespace picgen
