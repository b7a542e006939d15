// The exchange sort of the lists a person sorts by one integer key (the word
// list's columns, the text output's word list). Rows with equal keys end in
// whatever order the exchanges leave them, and that order is what the person
// sees, so every such list sorts with this one algorithm.
#pragma once

#include <cstdint>
#include <vector>

namespace tgc {

// The old positions of the rows in the order the exchange sort leaves them:
// for each position i from the first, whenever a later row has a smaller key
// than row i the two are exchanged and the search starts again after i.
std::vector<uint32_t> exchangeSortOrder(std::vector<int32_t> keys);

// Rearranges `rows` into `order` (old positions, as above).
template <class Row>
void applyOrder(std::vector<Row>& rows, const std::vector<uint32_t>& order) {
  std::vector<Row> sorted;
  sorted.reserve(rows.size());
  for (uint32_t from : order) sorted.push_back(std::move(rows[from]));
  rows.swap(sorted);
}

}  // namespace tgc
