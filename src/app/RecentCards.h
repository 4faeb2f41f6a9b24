#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A name the recent list can keep: not empty and without a line break, since Dirs.lst holds
// one name a line.
bool IsStorableCardName(std::string_view name);

// The File > Recent Cards list: 1 to 5 full file names, newest first, or the single
// placeholder "Empty". One item may carry the "current card" marker (the icon of the card
// opened last). The window's submenu mirrors items() and current().
class RecentCards {
 public:
  static constexpr size_t kMaxItems = 5;
  static constexpr std::string_view kPlaceholder = "Empty";
  // The Start panel shows the file-name part of this many items.
  static constexpr size_t kLinkCount = 4;

  // Just the placeholder.
  RecentCards();
  // The list as read from Dirs.lst: names that cannot be stored are left out, then the first
  // kMaxItems are kept; an empty result becomes the placeholder. No item is marked.
  explicit RecentCards(const std::vector<std::string>& items);

  // AddRecentFile. A name already in the list (or one that cannot be stored) changes nothing
  // and false is returned. Otherwise the name becomes item 0 and carries the marker: it
  // replaces the placeholder when that is the only item, else the others move down one place,
  // the fifth being dropped when the list was full.
  bool Add(const std::string& name);
  // Gives the marker to item index (as opening that item does); ignored outside the list.
  void MarkCurrent(size_t index);

  const std::vector<std::string>& items() const { return items_; }
  // The marked item, or -1 while no card from the list was opened.
  int current() const { return current_; }
  // True when the list holds only the placeholder.
  bool IsEmpty() const;
  // The Start panel's link k (0 .. kLinkCount - 1): the file-name part of item k, or the
  // placeholder when there is no such item.
  std::string LinkCaption(size_t k) const;

 private:
  std::vector<std::string> items_;
  int current_ = -1;
};

}  // namespace velmora
