// The order in which the folder tree shows the children of one folder:
// by rank (Computer, Home, Network, the "/" volume, the rest), then by label
// through the namespace's collator (case ignored, digits by value), then by
// the name bytes. The result is exactly the order that sorting ItemSortKeys
// gives; SiblingOrder only avoids making a collation key per child when a
// plain comparison already puts the labels in the collator's order.
//
// The caller owns the siblings; SiblingOrder keeps nothing.
#pragma once

#include <QCollator>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

namespace kalvenor {

struct SiblingSortName {
  int rank;               // as SortRankOf gives it
  QString label;          // the label shown in the tree
  std::string_view name;  // the name bytes, to settle ties
};

// Indices into `siblings`, in the order they are shown.
std::vector<std::size_t> SiblingOrder(const QCollator& collator,
                                      const std::vector<SiblingSortName>& siblings);

}  // namespace kalvenor
