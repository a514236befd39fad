// Where a run's trace and recording go: the bytes arrive exactly as written (no "\r\n" on
// Windows) and at once, a file is emptied first, and one that cannot be opened is refused with
// the reason.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "formats/byte_sink.h"
#include "formats/output_file.h"
#include "formats/recording.h"

namespace kx {
namespace {

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kBytes = std::string("line\nother\r\nnul ") + '\0' + " end";

TEST(ByteSinks, AFileGetsTheBytesAsTheyAreAndIsEmptiedFirst) {
    const std::string path = ::testing::TempDir() + "kx_byte_sink.bin";
    std::ofstream(path, std::ios::binary) << "an older and longer content than the new one, to be gone\n";
    {
        OutputFile file(path, "trace file");
        ASSERT_NE(file.sink(), nullptr);
        file.sink()->write(kBytes.substr(0, 5));
        EXPECT_EQ(file_bytes(path), "line\n");  // at once: a running game's trace can be followed
        file.sink()->write(kBytes.substr(5));
    }
    EXPECT_EQ(file_bytes(path), kBytes);
}

TEST(ByteSinks, AFileThatCannotBeOpenedIsRefusedWithTheReason) {
    const std::string path = ::testing::TempDir() + "kx_no_such_folder/rec.txt";
    try {
        OutputFile file(path, "recording");
        FAIL() << "opened " << path;
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), path + ": cannot write the recording: " + std::strerror(ENOENT));
    }
}

TEST(ByteSinks, ARecordingIsWrittenInItsPlainDecimalForm) {
    StringSink sink;
    write_recording_start(sink, 4294967295u);
    write_key_event(sink, KeyEvent{5'000'000'000, true, 37});
    write_key_event(sink, KeyEvent{5'000'000'001, false, 65535});
    EXPECT_EQ(sink.text(), "# kippura-x recording\nseed 4294967295\n5000000000 down 37\n5000000001 up 65535\n");
    const InputScript back = parse_input_text(sink.text(), "recording");
    EXPECT_EQ(back.seed, 4294967295u);
    EXPECT_EQ(back.events.size(), 2u);
}

}  // namespace
}  // namespace kx
