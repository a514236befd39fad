// Stderr sent to /dev/null for a while, and given back.
#include "platform/quiet_stderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kx {

QuietStderr::QuietStderr() {
    std::fflush(stderr);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;  // then the chatter shows; nothing worse
    saved_ = fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (saved_ >= 0) dup2(null, 2);
    close(null);
}

QuietStderr::~QuietStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
}

}  // namespace kx
