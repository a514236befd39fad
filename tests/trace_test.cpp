// The trace's state object and the state's comparison, both made from the one list of fields;
// and the record-by-record comparison of traces that the golden runs report with.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "elements/virtual_keys.h"
#include "formats/byte_sink.h"
#include "formats/trace.h"
#include "play/game_keys.h"
#include "test_support.h"
#include "trace_diff.h"

namespace kx {

// Failures print the state field by field.
void PrintTo(const GameState& s, std::ostream* out) {
    const auto print = [out](const char* name, const auto& v) {
        *out << name << "=";
        if constexpr (requires { v.size(); }) {
            for (const auto& e : v) *out << e << " ";
        } else {
            *out << v << " ";
        }
    };
#define KX_PRINT_FIELD(type, name) print(#name, s.name);
    KX_GAME_STATE_FIELDS(KX_PRINT_FIELD)
#undef KX_PRINT_FIELD
}

namespace {

std::string tick_record(const Game& g) {
    StringSink out;
    TraceWriter(out).tick(g, 7, 1);
    std::string line = out.text();
    line.pop_back();  // the newline
    return line;
}

// Another value of the field's type, as the game could hold it.
void change(int& v) { v += 1; }
void change(std::int64_t& v) { v += 5'000'000'000; }
void change(float& v) { v += 0.5f; }
template <typename T, std::size_t N>
void change(std::array<T, N>& a) {
    a[N - 1] += T(1) / T(4) + T(1);  // whole for int slots, a fraction for the angles
}

TEST(Trace, EveryStateFieldIsWrittenAndCompared) {
    test::TestGame tg;
    tg.start_play();
    const GameState before = tg.s;
    const std::string record = tick_record(tg.game);
    int fields = 0;
#define KX_CHECK_FIELD(type, name)                                                       \
    {                                                                                    \
        ++fields;                                                                        \
        change(tg.s.name);                                                               \
        EXPECT_NE(tg.s, before) << #name;                                                \
        const auto differences = test::record_differences(record, tick_record(tg.game)); \
        ASSERT_EQ(differences.size(), 1u) << #name;                                      \
        EXPECT_EQ(differences[0].rfind("state." #name, 0), 0u) << differences[0];        \
        tg.s = before;                                                                   \
    }
    KX_GAME_STATE_FIELDS(KX_CHECK_FIELD)
#undef KX_CHECK_FIELD
    EXPECT_EQ(tg.s, before);
    EXPECT_EQ(fields, 37);
}

TEST(Trace, StateKeepsItsOrderAndNumberForms) {
    test::TestGame tg;
    tg.s.kumoy = 0.1f;             // single precision: its own shortest form, not the double's
    tg.s.firecount = 12345678901;  // past 32 bits
    tg.s.ahiruangle = {0.05, 1, 0.1 + 0.2};
    tg.s.powery = -3;
    const std::string r = tick_record(tg.game);
    EXPECT_EQ(r.rfind(R"({"ev":"tick","timer":1,"ticks":7,"state":{"i":3,"jikix":-100,"jikiy":100,)", 0), 0u) << r;
    EXPECT_NE(r.find(R"("kumoy":0.1,"firecount":12345678901,)"), std::string::npos) << r;
    EXPECT_NE(r.find(R"("powery":-3,)"), std::string::npos) << r;
    EXPECT_NE(r.find(R"("ahiruangle":[0.05,1,0.30000000000000004],)"), std::string::npos) << r;
    EXPECT_NE(r.find(R"("ahirutype":[0,0,0]},"timers":[)"), std::string::npos) << r;
}

TEST(GameState, AKeyOnTheTitleChangesNoField) {
    for (int code : {kGameKeys.fire, kGameKeys.left, 65}) {
        test::TestGame tg;
        const GameState before = tg.s;
        tg.press(code);
        tg.release(code);
        EXPECT_EQ(tg.s, before) << code;
        EXPECT_TRUE(tg.f.Timer2.running());
    }
}

TEST(TraceDiff, NamesTheFirstDifferingRecordAndItsFields) {
    const std::string a = R"({"ev":"start","ticks":0,"state":{"ahirux":[400,410,420]}})"
                          "\n"
                          R"({"ev":"tick","timer":1,"ticks":5,"state":{"ahirux":[400,448,420],"i":3}})"
                          "\n";
    std::string b = a;
    b.replace(b.find("448"), 3, "450");
    EXPECT_EQ(test::first_difference(a, a), "");
    EXPECT_EQ(test::first_difference(a, b),
              "record 2 (line 2, ev tick, ticks 5) differs (2 records expected, 2 got):\n"
              "  state.ahirux[1]: expected 448, got 450");

    const std::string first = a.substr(0, a.find('\n') + 1);
    EXPECT_EQ(test::first_difference(a, first),
              "record 2 (line 2, ev tick, ticks 5) is missing: the trace ends there (2 records expected, 1 got)");
    EXPECT_EQ(test::first_difference(first, a),
              "record 2 (line 2, ev tick, ticks 5) is one too many (1 records expected, 2 got)");
}

TEST(TraceDiff, FieldsMissingAddedOrManyAndStringsWithJsonInside) {
    EXPECT_EQ(test::record_differences(R"({"a":{"b":1,"c":[1,2]}})", R"({"a":{"c":[1,2,3],"d":true}})"),
              (std::vector<std::string>{"a.b: expected 1, got nothing", "a.c[2]: expected nothing, got 3",
                                        "a.d: expected nothing, got true"}));
    const auto leaves = test::json_leaves(R"({"title":"a\"],{b","x":null,"n":-1.5e-07})");
    EXPECT_EQ(leaves, (test::JsonLeaves{{"title", R"("a\"],{b")"}, {"x", "null"}, {"n", "-1.5e-07"}}));
    EXPECT_EQ(test::record_differences("not json", "{}"),
              (std::vector<std::string>{"the record: expected not json, got nothing"}));

    const std::string many = "{\"ev\":\"tick\",\"ticks\":1,\"s\":[1,2,3,4,5,6,7]}\n";
    const std::string other = "{\"ev\":\"tick\",\"ticks\":1,\"s\":[0,0,0,0,0,0,0]}\n";
    const std::string message = test::first_difference(many, other, 2);
    EXPECT_NE(message.find("  s[0]: expected 1, got 0\n  s[1]: expected 2, got 0\n  ... and 5 more fields"),
              std::string::npos)
        << message;
}

}  // namespace
}  // namespace kx
