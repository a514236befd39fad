// Opening a run's output file.
#include "formats/output_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace kx {

OutputFile::OutputFile(const std::string& path, const std::string& what) {
    if (path.empty()) return;
    if (path == "-") {
        out_ = &FileSink::standard_output();
        return;
    }
    errno = 0;
    file_ = FileSink::open(path);
    if (!file_) throw std::runtime_error(cannot_write(path, what));
    out_ = file_.get();
}

std::string cannot_write(const std::string& path, const std::string& what) {
    const int error = errno;
    return path + ": cannot write the " + what + (error ? std::string(": ") + std::strerror(error) : "");
}

OutputFile::~OutputFile() {
    if (out_) out_->flush();
}

}  // namespace kx
