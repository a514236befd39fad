// The Windows front end's clock and sleep: nanoseconds from the performance counter, and a wait
// for the driver's next wake-up or a window message on a high-resolution waitable timer.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kx {

// Nanoseconds of the performance counter: steady, and fine enough for the tick clock.
std::int64_t now_ns();

class MessageWait {
public:
    MessageWait();
    ~MessageWait();
    MessageWait(const MessageWait&) = delete;
    MessageWait& operator=(const MessageWait&) = delete;

    // Sleeps until `at` (a now_ns() time; INT64_MAX: no time) or until a message is waiting in
    // the thread's queue, whichever comes first. Returns at once when `at` has passed.
    void until(std::int64_t at);

private:
    HANDLE timer_ = nullptr;
    bool coarse_ = false;  // a plain timer with the system's timer period raised to 1 ms
};

}  // namespace kx
