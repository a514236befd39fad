// A file a run writes as it goes (the trace, a recording), or standard output for "-". Written
// as bytes, with no line-end translation: the same run gives the same file on every system.
#pragma once

#include <memory>
#include <string>

#include "formats/byte_sink.h"

namespace kx {

class OutputFile {
public:
    // An empty path writes nothing. `what` names the file in the error: "PATH: cannot write the
    // WHAT: REASON" (std::runtime_error), thrown when the file cannot be opened.
    OutputFile(const std::string& path, const std::string& what);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Where to write, or null when no path was given.
    ByteSink* sink() { return out_; }

private:
    std::unique_ptr<FileSink> file_;
    ByteSink* out_ = nullptr;
};

// "PATH: cannot write the WHAT: REASON", the reason being the system's word for the last failure
// (no such folder, permission denied, a folder of that name, a full disk).
std::string cannot_write(const std::string& path, const std::string& what);

}  // namespace kx
