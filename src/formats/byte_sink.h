// Where a run's bytes go (the trace, a recording): a string, a file, standard output. The bytes
// go out as they are, with no formatting and no line-end translation.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kx {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(std::string_view bytes) = 0;
    // Hands what was written so far to the system, for what must survive a crash (a recording).
    virtual void flush() {}
};

// Keeps everything written: the page's recording, and the tests' traces.
class StringSink final : public ByteSink {
public:
    void write(std::string_view bytes) override { text_ += bytes; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// A C stdio stream, opened in binary mode: Windows gets "\n", not "\r\n".
class FileSink final : public ByteSink {
public:
    // The file at `path`, emptied and unbuffered, or null with errno saying why it could not be
    // opened.
    static std::unique_ptr<FileSink> open(const std::string& path);
    // Standard output (which the Windows build puts in binary mode at start), left open.
    static FileSink& standard_output();

    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    void write(std::string_view bytes) override;
    void flush() override;

private:
    FileSink(std::FILE* file, bool owned) : file_(file), owned_(owned) {}
    std::FILE* file_;
    bool owned_;
};

}  // namespace kx
