// Keeps the libraries' own chatter off stderr for a moment: a failed display attempt makes
// libwayland, zenity or Xlib print lines of their own, and the user must see only ours.
#pragma once

namespace kx {

// While one lives, whatever is written to file descriptor 2 goes to /dev/null.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

}  // namespace kx
