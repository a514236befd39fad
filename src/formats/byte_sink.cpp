// Writing a run's bytes to a file or to standard output through C stdio.
#include "formats/byte_sink.h"

namespace kx {

std::unique_ptr<FileSink> FileSink::open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return nullptr;
    // Unbuffered: each write (a whole trace record, a recording's line) reaches the file at once,
    // so that the trace can be followed while the game runs, paused or not.
    std::setvbuf(file, nullptr, _IONBF, 0);
    return std::unique_ptr<FileSink>(new FileSink(file, true));
}

FileSink& FileSink::standard_output() {
    static FileSink out(stdout, false);
    return out;
}

FileSink::~FileSink() {
    if (owned_)
        std::fclose(file_);
    else
        std::fflush(file_);
}

void FileSink::write(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), file_); }

void FileSink::flush() { std::fflush(file_); }

}  // namespace kx
