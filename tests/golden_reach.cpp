// Reading a golden's reach from its trace and its input file.
#include "golden_reach.h"

#include <regex>
#include <sstream>
#include <stdexcept>

namespace kx::test {
namespace {

constexpr char kPrefix[] = "# reaches: ";

int field(const std::string& record, const std::string& name) {
    const auto at = record.find("\"" + name + "\":");
    return at == std::string::npos ? 0 : std::stoi(record.substr(at + name.size() + 3));
}

}  // namespace

Reach reach_of(const std::string& trace) {
    Reach reach;
    std::istringstream in(trace);
    int score = 0;
    bool game_over = false;
    for (std::string record; std::getline(in, record);) {
        if (record.rfind("{\"ev\":\"msgbox\"", 0) == 0) {
            ++reach.game_overs;
            game_over = true;  // the tick that asked for the box resets the score
        } else if (record.rfind("{\"ev\":\"tick\"", 0) == 0) {
            const int now = field(record, "score");
            // In a boss fight the score stays at 19 of its stage until the boss is beaten.
            if (score % 20 == 19 && now != score && !game_over) ++reach.bosses;
            score = now;
            game_over = false;
            if (field(record, "endmode") == 8) reach.ending = true;
        }
    }
    return reach;
}

std::optional<Reach> stated_reach(const std::string& input_file) {
    std::istringstream in(input_file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(kPrefix, 0) != 0) continue;
        Reach reach;
        std::istringstream parts(line.substr(sizeof kPrefix - 1));
        static const std::regex kBosses(R"(\s*(\d+) boss(es)? beaten\s*)"), kOvers(R"(\s*(\d+) game overs?\s*)");
        for (std::string part; std::getline(parts, part, ',');) {
            std::smatch m;
            if (std::regex_match(part, std::regex(R"(\s*the ending\s*)")))
                reach.ending = true;
            else if (std::regex_match(part, m, kBosses))
                reach.bosses = std::stoi(m[1]);
            else if (std::regex_match(part, m, kOvers))
                reach.game_overs = std::stoi(m[1]);
            else
                throw std::runtime_error("cannot read \"" + part + "\" in \"" + line + "\"");
        }
        return reach;
    }
    return std::nullopt;
}

bool reaches(const Reach& actual, const Reach& stated) {
    return (actual.ending || !stated.ending) && actual.bosses >= stated.bosses &&
           actual.game_overs >= stated.game_overs;
}

std::string describe(const Reach& reach) {
    const auto plural = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    return std::string(reach.ending ? "the ending, " : "") + plural(reach.bosses, "boss beaten", "bosses beaten") +
           ", " + plural(reach.game_overs, "game over", "game overs");
}

std::string with_stated_reach(const std::string& input_file, const Reach& reach) {
    const std::string line = kPrefix + describe(reach) + "\n";
    std::istringstream in(input_file);
    std::string out;
    bool replaced = false;
    for (std::string l; std::getline(in, l);) {
        if (l.rfind(kPrefix, 0) == 0) {
            out += line;
            replaced = true;
        } else {
            out += l + "\n";
        }
    }
    return replaced ? out : line + out;
}

}  // namespace kx::test
