// Where a run's trace goes: a file, or standard output for "-".
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "run/trace.h"

namespace kx {

class TraceFile {
public:
    // An empty path writes no trace. Throws std::runtime_error when the file cannot be written.
    explicit TraceFile(const std::string& path);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    // The writer, or null when no trace is written.
    TraceWriter* writer() const { return writer_.get(); }

private:
    std::ofstream file_;
    std::unique_ptr<TraceWriter> writer_;
    bool to_stdout_ = false;
};

}  // namespace kx
