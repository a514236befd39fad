// A set of pixels on a picture: what a shape covers, before it is painted in a colour.
#pragma once

#include <vector>

namespace picgen {

class Mask {
public:
    Mask(int width, int height);

    int width() const { return w_; }
    int height() const { return h_; }
    bool at(int x, int y) const;  // false outside the picture
    void set(int x, int y, bool on = true);

    Mask operator|(const Mask& o) const;
    Mask operator&(const Mask& o) const;
    Mask operator-(const Mask& o) const;  // pixels in this mask but not in o
    Mask& operator|=(const Mask& o);
    Mask& operator&=(const Mask& o);
    Mask& operator-=(const Mask& o);

    // The shape pulled in by r pixels: a pixel stays when no pixel outside the shape (or outside the
    // picture) lies within distance r of it. shrunk(1) drops exactly the pixels that touch the
    // outside side by side, which leaves a clean one-pixel rim.
    Mask shrunk(double r) const;
    // The shape pushed out by r pixels.
    Mask grown(double r) const;
    Mask moved(int dx, int dy) const;

private:
    int w_, h_;
    std::vector<unsigned char> bits_;
};

}  // namespace picgen
