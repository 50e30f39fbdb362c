#include "ui/ShownItems.h"

namespace tarnwick {

void ShowItems(const std::vector<std::string>& items, ShownItems& shown) {
  std::size_t kept = 0;
  while (kept < shown.Count() && kept < items.size() && shown.Shows(kept, items[kept])) ++kept;
  while (shown.Count() > kept) shown.RemoveLast();
  for (std::size_t index = kept; index < items.size(); ++index) shown.Append(items[index]);
}

}  // namespace tarnwick
