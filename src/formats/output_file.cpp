// Opening a run's output file.
#include "formats/output_file.h"

#include <iostream>
#include <stdexcept>

namespace kx {

OutputFile::OutputFile(const std::string& path, const std::string& what) {
    if (path.empty()) return;
    if (path == "-") {
        out_ = &std::cout;
        return;
    }
    file_.open(path, std::ios::binary | std::ios::trunc);
    if (!file_) throw std::runtime_error(path + ": cannot write the " + what);
    out_ = &file_;
}

OutputFile::~OutputFile() {
    if (out_) out_->flush();
}

}  // namespace kx
