#include "core/exchangesort.h"

#include <algorithm>

namespace tgc {

namespace {

// Rows with one key, kept as a ring: `head` is the first, each row's `next`
// and `prev` its neighbours, so a row joins at the back and the ring turns
// in constant time per step.
struct KeyGroup {
  uint32_t head = 0;
  uint32_t size = 0;
  uint64_t smallerSeen = 0;  // rows with a smaller key that had come when the group last changed
};

// How many rows with a smaller key have come so far, by key rank.
class SmallerCounts {
 public:
  explicit SmallerCounts(size_t ranks) : tree_(ranks + 1, 0) {}
  void add(size_t rank) {
    for (size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }
  uint64_t below(size_t rank) const {
    uint64_t sum = 0;
    for (size_t i = rank; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }

 private:
  std::vector<uint64_t> tree_;
};

}  // namespace

std::vector<uint32_t> exchangeSortOrder(std::vector<int32_t> keys) {
  // The passes may be run by the later position of each exchange instead of
  // the earlier one: two exchanges that share a position still come in the
  // same order. Then, when row j comes, the rows before it are already
  // sorted, and it is compared with each of them from the first: it takes
  // the place of the first row with a larger key, which is carried on and
  // takes the place of the first row of the next larger key, and so on. So
  // row j joins the back of the rows with its key, and every larger key's
  // rows turn by one: the first goes to the back. The turns of a key are
  // counted as the rows with smaller keys come and made when it next
  // changes, so each row costs a logarithm and a turn of its own key's
  // rows by at most half of them, not a scan of the others.
  const size_t n = keys.size();
  std::vector<int32_t> distinct = keys;
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::vector<KeyGroup> groups(distinct.size());
  std::vector<uint32_t> next(n), prev(n);
  SmallerCounts counts(distinct.size());

  auto turn = [&](KeyGroup& g, uint64_t steps) {
    if (g.size < 2) return;
    steps %= g.size;
    if (steps <= g.size / 2)
      for (; steps > 0; --steps) g.head = next[g.head];
    else
      for (steps = g.size - steps; steps > 0; --steps) g.head = prev[g.head];
  };

  for (uint32_t row = 0; row < n; ++row) {
    const size_t rank =
        static_cast<size_t>(std::lower_bound(distinct.begin(), distinct.end(), keys[row]) - distinct.begin());
    KeyGroup& g = groups[rank];
    const uint64_t smaller = counts.below(rank);
    if (g.size == 0) {
      g.head = next[row] = prev[row] = row;
    } else {
      turn(g, smaller - g.smallerSeen);
      const uint32_t last = prev[g.head];
      next[last] = row;
      prev[row] = last;
      next[row] = g.head;
      prev[g.head] = row;
    }
    ++g.size;
    g.smallerSeen = smaller;
    counts.add(rank);
  }

  std::vector<uint32_t> order;
  order.reserve(n);
  for (size_t rank = 0; rank < groups.size(); ++rank) {
    KeyGroup& g = groups[rank];
    turn(g, counts.below(rank) - g.smallerSeen);
    uint32_t row = g.head;
    for (uint32_t k = 0; k < g.size; ++k, row = next[row]) order.push_back(row);
  }
  return order;
}

}  // namespace tgc
