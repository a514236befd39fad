// The window's elements as the game sees them: image sprites, box sprites, text labels, timers
// and the window itself. Positions and sizes are in window units, kept exactly as last set.
#pragma once

#include <string>
#include <vector>

#include "elements/picture.h"
#include "elements/text_style.h"

namespace kx {

class ImageSprite {
public:
    ImageSprite(double x, double y, bool visible, const Picture* picture)
        : x_(x), y_(y), shown_(visible), picture_(picture) {}

    void place(double x, double y) {
        x_ = x;
        y_ = y;
    }
    void show() { shown_ = true; }
    void hide() { shown_ = false; }
    // The sprite shows the other sprite's picture from now on, and takes its size with it.
    void take_picture(const ImageSprite& other) { picture_ = other.picture_; }

    double x() const { return x_; }
    double y() const { return y_; }
    bool shown() const { return shown_; }
    const Picture* picture() const { return picture_; }

private:
    double x_, y_;  // top-left corner, window units
    bool shown_;
    const Picture* picture_;  // null: the sprite draws nothing
};

// Where printed text goes: a box sprite or the window. Keeps the prints until the next fill.
class PrintSurface {
public:
    explicit PrintSurface(FontSpec font, Rgb text_colour) : font_(font), text_colour_(text_colour) {}

    void set_text_colour(Rgb c) { text_colour_ = c; }
    void set_font_size(double points) { font_.points = points; }
    void set_bold(bool on) { font_.bold = on; }
    void set_italic(bool on) { font_.italic = on; }
    // Persistent drawing keeps printed text when the window is covered and uncovered. Frames
    // here are drawn anew from the model, so printed text always lasts until the next fill and
    // the renderer need not ask: the flag records what the game switched (the title on, the
    // ending off), for the checks of those steps.
    void set_persistent(bool on) { persistent_ = on; }

    const std::vector<TextRun>& prints() const { return prints_; }
    bool persistent() const { return persistent_; }

    // Line spacing comes from the real fonts when the platform provides them.
    void use_metrics(TextRasterizer* metrics) { metrics_ = metrics; }

protected:
    // Adds a print at (x, y) pixels and returns how far down the next line starts.
    int add_print(const std::string& text, int x, int y);
    void erase_prints() { prints_.clear(); }
    std::vector<TextRun>& mutable_prints() { return prints_; }

private:
    FontSpec font_;
    Rgb text_colour_;
    bool persistent_ = false;
    std::vector<TextRun> prints_;
    TextRasterizer* metrics_ = nullptr;
};

class BoxSprite : public PrintSurface {
public:
    BoxSprite(double x, double y, double w, double h, Rgb background, const Picture* picture, FontSpec font,
              Rgb text_colour)
        : PrintSurface(font, text_colour), x_(x), y_(y), w_(w), h_(h), bg_(background), picture_(picture) {}

    void place(double x, double y) {
        x_ = x;
        y_ = y;
    }
    void set_width(double w) { w_ = w; }
    void set_height(double h) { h_ = h; }
    // Fills the box anew: everything printed on it is gone.
    void set_background(Rgb c) {
        bg_ = c;
        erase_prints();
    }
    void take_picture(const ImageSprite& other) { picture_ = other.picture(); }
    void show() { shown_ = true; }
    void hide() { shown_ = false; }
    // The text position is in pixels from the box's top-left corner.
    void set_text_position(double x, double y) {
        text_x_ = x;
        text_y_ = y;
    }
    void print(const std::string& text);

    double x() const { return x_; }
    double y() const { return y_; }
    double width() const { return w_; }
    double height() const { return h_; }
    bool shown() const { return shown_; }
    Rgb background() const { return bg_; }
    const Picture* picture() const { return picture_; }

private:
    double x_, y_, w_, h_;  // window units
    bool shown_ = true;
    Rgb bg_;
    const Picture* picture_;
    double text_x_ = 0, text_y_ = 0;  // pixels on the box
};

// A one-line caption, white on opaque black, in a box of fixed pixel size.
class TextLabel {
public:
    static constexpr int kWidthPx = 217;
    static constexpr int kHeightPx = 25;
    static constexpr double kPoints = 14.25;

    TextLabel(double x, double y, std::string text) : x_(x), y_(y), text_(std::move(text)) {}

    void place(double x, double y) {
        x_ = x;
        y_ = y;
    }
    void set_text(const std::string& text) { text_ = text; }

    double x() const { return x_; }
    double y() const { return y_; }
    const std::string& text() const { return text_; }

private:
    double x_, y_;
    std::string text_;
};

// A periodic timer; 0 is stopped, any other interval runs it once per tick period.
class Timer {
public:
    void set_interval(int ms) { interval_ = ms; }
    int interval() const { return interval_; }
    bool running() const { return interval_ != 0; }

private:
    int interval_ = 0;
};

// The window's own surface: background colour and the text printed on it.
class WindowSurface : public PrintSurface {
public:
    WindowSurface(std::string caption, Rgb background, FontSpec font)
        : PrintSurface(font, Rgb{0, 0, 0}), caption_(std::move(caption)), bg_(background) {}

    void set_background(Rgb c) {
        bg_ = c;
        erase_prints();
    }
    // The text position is in window units.
    void set_text_position(double x, double y) {
        text_x_ = x;
        text_y_ = y;
    }
    // The window paints its background behind each printed line up to its right edge, so a
    // reprinted score line never shows stale digits of a longer one (see the renderer).
    void print(const std::string& text);

    const std::string& caption() const { return caption_; }
    Rgb background() const { return bg_; }

private:
    std::string caption_;
    Rgb bg_;
    double text_x_ = 0, text_y_ = 0;
};

}  // namespace kx
