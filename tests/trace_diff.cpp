// A small JSON walker for the trace's records (objects, arrays, numbers, strings, true, false,
// null) and the record-by-record comparison built on it.
#include "trace_diff.h"

#include <cstdio>
#include <unordered_map>

namespace kx::test {
namespace {

class Walker {
public:
    explicit Walker(std::string_view text) : text_(text) {}

    // Collects every scalar under `path`; false on anything that is not JSON.
    bool value(const std::string& path, JsonLeaves& out) {
        skip_space();
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        if (c == '{') return object(path, out);
        if (c == '[') return array(path, out);
        const std::size_t start = at_;
        if (c == '"') {
            if (!string()) return false;
        } else {
            while (at_ < text_.size() && !is_end(text_[at_])) ++at_;
            if (at_ == start) return false;
        }
        out.emplace_back(path, std::string(text_.substr(start, at_ - start)));
        return true;
    }

    bool finished() {
        skip_space();
        return at_ == text_.size();
    }

private:
    static bool is_end(char c) { return c == ',' || c == '}' || c == ']' || c == ' ' || c == '\n'; }

    void skip_space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\t')) ++at_;
    }

    bool take(char c) {
        skip_space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    // Moves past a string literal, escapes included.
    bool string() {
        ++at_;
        while (at_ < text_.size() && text_[at_] != '"') at_ += text_[at_] == '\\' ? 2 : 1;
        if (at_ >= text_.size()) return false;
        ++at_;
        return true;
    }

    bool object(const std::string& path, JsonLeaves& out) {
        ++at_;
        if (take('}')) return true;
        do {
            skip_space();
            const std::size_t start = at_;
            if (at_ >= text_.size() || text_[at_] != '"' || !string()) return false;
            const std::string key(text_.substr(start + 1, at_ - start - 2));
            if (!take(':') || !value(path.empty() ? key : path + "." + key, out)) return false;
        } while (take(','));
        return take('}');
    }

    bool array(const std::string& path, JsonLeaves& out) {
        ++at_;
        if (take(']')) return true;
        std::size_t k = 0;
        do {
            if (!value(path + "[" + std::to_string(k++) + "]", out)) return false;
        } while (take(','));
        return take(']');
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The value at `path` as written, a string without its quotes.
std::string value_at(const JsonLeaves& leaves, const std::string& path) {
    for (const auto& [p, v] : leaves)
        if (p == path) return v.size() >= 2 && v.front() == '"' ? v.substr(1, v.size() - 2) : v;
    return "?";
}

// "ev tick, ticks 900" from either record, whichever there is.
std::string where_in_game(std::string_view record) {
    const JsonLeaves leaves = json_leaves(record);
    return "ev " + value_at(leaves, "ev") + ", ticks " + value_at(leaves, "ticks");
}

}  // namespace

JsonLeaves json_leaves(std::string_view record) {
    JsonLeaves out;
    Walker w(record);
    if (!w.value("", out) || !w.finished()) return {{"", std::string(record)}};
    return out;
}

std::vector<std::string> record_differences(std::string_view expected, std::string_view actual) {
    const JsonLeaves want = json_leaves(expected), got = json_leaves(actual);
    std::unordered_map<std::string, const std::string*> got_by_path, want_by_path;
    for (const auto& [path, v] : got) got_by_path.emplace(path, &v);
    for (const auto& [path, v] : want) want_by_path.emplace(path, &v);
    std::vector<std::string> out;
    const auto name = [](const std::string& path) { return path.empty() ? std::string("the record") : path; };
    for (const auto& [path, v] : want) {
        const auto it = got_by_path.find(path);
        if (it == got_by_path.end())
            out.push_back(name(path) + ": expected " + v + ", got nothing");
        else if (*it->second != v)
            out.push_back(name(path) + ": expected " + v + ", got " + *it->second);
    }
    for (const auto& [path, v] : got)
        if (!want_by_path.count(path)) out.push_back(name(path) + ": expected nothing, got " + v);
    return out;
}

std::string first_difference(std::string_view expected, std::string_view actual, std::size_t max_fields) {
    if (expected == actual) return {};
    const auto want = lines_of(expected), got = lines_of(actual);
    const std::string counts =
        "(" + std::to_string(want.size()) + " records expected, " + std::to_string(got.size()) + " got)";
    for (std::size_t k = 0; k < want.size() || k < got.size(); ++k) {
        const std::string line = "record " + std::to_string(k + 1) + " (line " + std::to_string(k + 1) + ", ";
        if (k >= got.size()) return line + where_in_game(want[k]) + ") is missing: the trace ends there " + counts;
        if (k >= want.size()) return line + where_in_game(got[k]) + ") is one too many " + counts;
        if (want[k] == got[k]) continue;
        std::string out = line + where_in_game(want[k]) + ") differs " + counts + ":";
        const auto fields = record_differences(want[k], got[k]);
        for (std::size_t f = 0; f < fields.size() && f < max_fields; ++f) out += "\n  " + fields[f];
        if (fields.size() > max_fields)
            out += "\n  ... and " + std::to_string(fields.size() - max_fields) + " more fields of this record";
        return out;
    }
    return "the traces differ only in their line ends";
}

std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash) {
    for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
    return hash;
}

std::string hex64(std::uint64_t v) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(v));
    return hex;
}

}  // namespace kx::test
