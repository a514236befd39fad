// The performance counter as nanoseconds, and sleeping on a waitable timer together with the
// message queue (MsgWaitForMultipleObjectsEx), so that neither a tick nor a key waits for the other.
#include "windows/win_clock.h"

#include <mmsystem.h>

#include <stdexcept>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace kx {
namespace {

std::int64_t counter_frequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

}  // namespace

std::int64_t now_ns() {
    static const std::int64_t frequency = counter_frequency();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    // Whole seconds and the rest apart: the counter times 10^9 would overflow after days.
    const std::int64_t seconds = c.QuadPart / frequency, rest = c.QuadPart % frequency;
    return seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency;
}

MessageWait::MessageWait() {
    // Windows 10 (1803) and later: a timer that wakes within a fraction of a millisecond, without
    // raising the timer period of the whole system.
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!timer_) {
        // Before that, a plain timer wakes on the system's timer period, 15.6 ms unless raised.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        if (!timer_) throw std::runtime_error("cannot create a timer (CreateWaitableTimerEx failed)");
        coarse_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
}

MessageWait::~MessageWait() {
    if (coarse_) timeEndPeriod(1);
    CloseHandle(timer_);
}

void MessageWait::until(std::int64_t at) {
    constexpr DWORD kWakeOn = QS_ALLINPUT;
    if (at == INT64_MAX) {
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, kWakeOn, MWMO_INPUTAVAILABLE);
        return;
    }
    const std::int64_t wait_ns = at - now_ns();
    if (wait_ns <= 0) return;
    LARGE_INTEGER due;
    due.QuadPart = -((wait_ns + 99) / 100);  // negative: relative, in units of 100 ns
    if (!SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) return;
    MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, kWakeOn, MWMO_INPUTAVAILABLE);
}

}  // namespace kx
