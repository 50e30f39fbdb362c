#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarnwick {

// A list's items as a front-end's list control holds them.
class ShownItems {
 public:
  virtual ~ShownItems() = default;
  virtual std::size_t Count() const = 0;
  virtual bool Shows(std::size_t index, const std::string& item) const = 0;
  virtual void RemoveLast() = 0;
  virtual void Append(const std::string& item) = 0;
};

// Brings the shown items to the model's: the shown items that already match from the first on
// stay, the others are removed from the end and the rest appended. A list to which the model
// only added items at the end is only appended to.
void ShowItems(const std::vector<std::string>& items, ShownItems& shown);

}  // namespace tarnwick
