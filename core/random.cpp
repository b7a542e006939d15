#include "core/random.h"

namespace tgc {

void Random::reseed(ClockPort& clock) {
  int64_t t = clock.nowSeconds();
  for (int extra = 0; t == lastSeedTime_ && extra < 10000; ++extra) t = clock.nowSeconds();
  lastSeedTime_ = t;
  seed(static_cast<uint32_t>(clock.nowSeconds()));
}

}  // namespace tgc
