// A moment as the program shows it to people ("2026/12/07 23:17", local
// time): when a recovery copy was made, since when a lock is held.
#pragma once

#include <cstdint>
#include <string>

namespace tgc {

// Seconds since the epoch as local date and time; empty when the system
// cannot convert it. ASCII only, so it is CP932 and UTF-8 alike.
std::string localTimeText(int64_t seconds);

}  // namespace tgc
