#include "core/exchangesort.h"

#include <algorithm>

namespace tgc {

std::vector<uint32_t> exchangeSortOrder(std::vector<int32_t> keys) {
  // After an exchange of rows i and j, every row between them holds a key no
  // smaller than row i's old key, which is larger than its new one, and so
  // is the row put at j: a search started again after i would find nothing
  // before j + 1. So one scan per position gives the same exchanges, with
  // row i's key carried along. The scan reads a plain array of keys.
  const size_t n = keys.size();
  std::vector<uint32_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<uint32_t>(i);
  for (size_t i = 0; i + 1 < n; ++i) {
    int32_t key = keys[i];
    uint32_t row = order[i];
    size_t j = i + 1;
    while (j < n) {
      // Most rows hold a key no smaller than the carried one: pass them by
      // eight at a time.
      if (j + 8 <= n) {
        int32_t least = keys[j];
        for (size_t k = 1; k < 8; ++k) least = std::min(least, keys[j + k]);
        if (least >= key) {
          j += 8;
          continue;
        }
      }
      const size_t end = std::min(n, j + 8);
      for (; j < end; ++j) {
        if (keys[j] < key) {
          std::swap(key, keys[j]);
          std::swap(row, order[j]);
        }
      }
    }
    keys[i] = key;
    order[i] = row;
  }
  return order;
}

}  // namespace tgc
