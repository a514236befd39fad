// Opening the trace.
#include "platform/trace_file.h"

#include <iostream>
#include <stdexcept>

namespace kx {

TraceFile::TraceFile(const std::string& path) {
    if (path.empty()) return;
    if (path == "-") {
        to_stdout_ = true;
        writer_ = std::make_unique<TraceWriter>(std::cout);
        return;
    }
    file_.open(path);
    if (!file_) throw std::runtime_error(path + ": cannot write the trace file");
    writer_ = std::make_unique<TraceWriter>(file_);
}

TraceFile::~TraceFile() {
    if (to_stdout_) std::cout.flush();
}

}  // namespace kx
