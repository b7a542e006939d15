// The program's one random-number generator, shared by sheet creation and
// word assist, reseeded from the clock before each use.
#pragma once

#include <cstdint>

#include "core/ports.h"

namespace tgc {

class Random {
 public:
  void seed(uint32_t value) { state_ = value; }
  // Next value in 0..0x7FFF.
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }
  // Waits (up to 10000 extra clock reads) for the clock to move past the
  // last seed time, so two uses in one second draw different sequences, then
  // seeds from one further read.
  void reseed(ClockPort& clock);

  int64_t lastSeedTime() const { return lastSeedTime_; }
  uint32_t state() const { return state_; }

 private:
  uint32_t state_ = 1;
  int64_t lastSeedTime_ = 0;
};

}  // namespace tgc
