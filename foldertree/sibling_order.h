// The order in which the folder tree shows the children of one folder:
// by rank (Computer, Home, Network, the "/" volume, the rest), then by label
// through the namespace's collator (case ignored, digits by value), then by
// the name bytes. CompareSiblings is that order for two siblings;
// SiblingOrder sorts a whole folder by it, and only avoids making a
// collation key per child when a plain comparison already puts the labels
// in the collator's order.
//
// The caller owns the siblings; nothing here keeps them.
#pragma once

#include <QCollator>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

#include "id_list.h"

namespace kalvenor {

// The first thing siblings are ordered by: 0 Computer, 1 Home, 2 Network,
// 3 the "/" volume, 4 everything else.
int SortRankOf(const ItemIdList* item);

struct SiblingSortName {
  int rank;               // as SortRankOf gives it
  QString label;          // the label shown in the tree
  std::string_view name;  // the name bytes, to settle ties
};

// Negative, zero or positive as `a` stands before, with or after `b`.
int CompareSiblings(const QCollator& collator, const SiblingSortName& a, const SiblingSortName& b);

// Indices into `siblings`, in the order they are shown.
std::vector<std::size_t> SiblingOrder(const QCollator& collator,
                                      const std::vector<SiblingSortName>& siblings);

}  // namespace kalvenor
