// JSON Lines trace of a run.
#include "formats/trace.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "formats/shortest_number.h"

namespace kx {
namespace {

template <typename T>
std::string shortest(T v) {
#if defined(__EMSCRIPTEN__)  // its library has no floating-point std::to_chars
    return shortest_by_printf(v);
#else
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
#endif
}

class Json {
public:
    explicit Json(std::string& out) : out_(out) {}
    Json& key(const char* k) {
        out_ += first_ ? "" : ",";
        first_ = false;
        out_ += '"';
        out_ += k;
        out_ += "\":";
        return *this;
    }
    Json& raw(const std::string& v) {
        out_ += v;
        return *this;
    }

private:
    std::string& out_;
    bool first_ = true;
};

std::string json_number(double v) { return shortest(v); }

std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string num(std::int64_t v) { return std::to_string(v); }
std::string num(int v) { return std::to_string(v); }

// The state's fields as the trace has always written them: whole numbers as integers, the
// single-precision fields in their shortest float form, the slot arrays through double.
std::string field_json(int v) { return num(v); }
std::string field_json(std::int64_t v) { return num(v); }
std::string field_json(float v) { return shortest(v); }

template <typename T, std::size_t N>
std::string field_json(const std::array<T, N>& a) {
    std::string s = "[";
    for (std::size_t k = 0; k < N; ++k) {
        if (k) s += ',';
        s += json_number(double(a[k]));
    }
    return s + "]";
}

std::string state_json(const GameState& s) {
    std::string out = "{";
    Json j(out);
#define KX_TRACE_FIELD(type, name) j.key(#name).raw(field_json(s.name));
    KX_GAME_STATE_FIELDS(KX_TRACE_FIELD)
#undef KX_TRACE_FIELD
    return out + "}";
}

std::string picture_json(const Picture* p) { return p ? json_string(p->name) : "null"; }

std::string rgb_json(Rgb c) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "[%d,%d,%d]", c.r, c.g, c.b);
    return buf;
}

std::string sprite_json(const ImageSprite& s) {
    std::string out = "{";
    Json(out)
        .key("x")
        .raw(json_number(s.x()))
        .key("y")
        .raw(json_number(s.y()))
        .key("shown")
        .raw(s.shown() ? "true" : "false")
        .key("picture")
        .raw(picture_json(s.picture()));
    return out + "}";
}

template <std::size_t N>
std::string sprites_json(const std::array<ImageSprite, N>& a) {
    std::string s = "[";
    for (std::size_t k = 0; k < N; ++k) {
        if (k) s += ',';
        s += sprite_json(a[k]);
    }
    return s + "]";
}

std::string box_json(const BoxSprite& b) {
    std::string out = "{";
    Json(out)
        .key("x")
        .raw(json_number(b.x()))
        .key("y")
        .raw(json_number(b.y()))
        .key("w")
        .raw(json_number(b.width()))
        .key("h")
        .raw(json_number(b.height()))
        .key("shown")
        .raw(b.shown() ? "true" : "false")
        .key("bg")
        .raw(rgb_json(b.background()))
        .key("picture")
        .raw(picture_json(b.picture()));
    return out + "}";
}

std::string label_json(const TextLabel& l) {
    std::string out = "{";
    Json(out).key("x").raw(json_number(l.x())).key("y").raw(json_number(l.y())).key("text").raw(json_string(l.text()));
    return out + "}";
}

std::string elements_json(const Form1& f) {
    std::string out = "{";
    Json j(out);
    j.key("jiki").raw(sprite_json(f.jiki)).key("fire").raw(sprite_json(f.fire)).key("kumo").raw(sprite_json(f.kumo));
    j.key("jimen").raw(sprite_json(f.jimen)).key("power").raw(sprite_json(f.power));
    j.key("ahiru").raw(sprites_json(f.ahiru)).key("tela").raw(sprites_json(f.tela));
    j.key("laser").raw(box_json(f.laser)).key("boss").raw(box_json(f.boss));
    j.key("Label1").raw(label_json(f.Label1)).key("Label2").raw(label_json(f.Label2));
    std::string form = "{";
    Json(form).key("bg").raw(rgb_json(f.background()));
    j.key("form1").raw(form + "}");
    return out + "}";
}

}  // namespace

void TraceWriter::record(const Game& g, std::int64_t ticks, const std::string& ev, const std::string& extra) {
    const Form1& f = g.form1;
    std::string line = "{\"ev\":" + json_string(ev) + extra + ",\"ticks\":" + num(ticks) +
                       ",\"state\":" + state_json(g.s) + ",\"timers\":[" + num(f.Timer1.interval()) + "," +
                       num(f.Timer2.interval()) + "," + num(f.Timer3.interval()) +
                       "],\"elements\":" + elements_json(f) + "}\n";
    out_.write(line);
}

void TraceWriter::start(const Game& g, std::int64_t ticks) { record(g, ticks, "start", ""); }

void TraceWriter::tick(const Game& g, std::int64_t ticks, int timer) {
    record(g, ticks, "tick", ",\"timer\":" + num(timer));
}

void TraceWriter::key(const Game& g, std::int64_t ticks, bool down, int code) {
    record(g, ticks, down ? "keydown" : "keyup", ",\"code\":" + num(code));
}

void TraceWriter::message_box(const Game& g, std::int64_t ticks, const std::string& title, const std::string& text) {
    record(g, ticks, "msgbox", ",\"title\":" + json_string(title) + ",\"text\":" + json_string(text));
}

}  // namespace kx
