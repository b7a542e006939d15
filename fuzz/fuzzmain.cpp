// The libFuzzer entry of one target; TGC_FUZZ_TARGET names its function.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = TGC_FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "broken property: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
