// A picture being drawn: a palette of named colours and a grid of palette keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mask.h"

namespace picgen {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One palette entry. A key without a colour marks pixels that are masked out (only the icon has one).
struct Swatch {
    char key;
    std::optional<Rgb> colour;
};

class Canvas {
public:
    // Every pixel starts as the background key, which must be added to the palette.
    Canvas(int width, int height, char background);

    int width() const { return w_; }
    int height() const { return h_; }

    void add_colour(char key, int r, int g, int b);
    void add_masked_out(char key);
    void set_transparent(int r, int g, int b) { transparent_ = Rgb{r, g, b}; }
    const std::optional<Rgb>& transparent() const { return transparent_; }
    const Swatch& swatch(char key) const;

    char at(int x, int y) const { return keys_[std::size_t(y) * std::size_t(w_) + std::size_t(x)]; }
    void put(int x, int y, char key);

    void paint(const Mask& m, char key);
    // Paints only where the picture currently shows the key `on`.
    void paint_on(const Mask& m, char key, char on);
    // A cut-out sticker: the shape in `fill` with an `outline` rim of the given width.
    void sticker(const Mask& m, char fill, char outline, double width);
    // Every pixel that shows the key.
    Mask where(char key) const;
    // Repaints the patch of same-keyed pixels connected (side by side) to (x, y).
    void flood_fill(int x, int y, char key);
    void mirror();  // left to right

    // The picture in the game's text picture format; `about` becomes the comment line.
    std::string to_kxp(const std::string& name, const std::string& about) const;

private:
    int w_, h_;
    std::vector<char> keys_;
    std::vector<Swatch> palette_;
    std::optional<Rgb> transparent_;
};

// A finished picture as the game loads it.
struct Picture {
    std::string name;   // file name without extension
    std::string about;  // one line on what it shows
    Canvas canvas;
};

}  // namespace picgen
