#include "app/RecentCards.h"

#include <algorithm>

namespace velmora {

bool IsStorableCardName(std::string_view name) {
  return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos;
}

RecentCards::RecentCards() : items_{std::string(kPlaceholder)} {}

RecentCards::RecentCards(const std::vector<std::string>& items) {
  for (const std::string& name : items) {
    if (items_.size() == kMaxItems) break;
    if (IsStorableCardName(name)) items_.push_back(name);
  }
  if (items_.empty()) items_.emplace_back(kPlaceholder);
}

bool RecentCards::IsEmpty() const { return items_.size() == 1 && items_[0] == kPlaceholder; }

bool RecentCards::Add(const std::string& name) {
  if (!IsStorableCardName(name)) return false;
  if (std::find(items_.begin(), items_.end(), name) != items_.end()) return false;
  if (IsEmpty()) {
    items_[0] = name;
  } else {
    if (items_.size() == kMaxItems) items_.pop_back();
    items_.insert(items_.begin(), name);
  }
  current_ = 0;
  return true;
}

void RecentCards::MarkCurrent(size_t index) {
  if (index < items_.size()) current_ = static_cast<int>(index);
}

std::string RecentCards::LinkCaption(size_t k) const {
  if (k >= items_.size()) return std::string(kPlaceholder);
  const std::string& name = items_[k];
  const size_t slash = name.find_last_of('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace velmora
