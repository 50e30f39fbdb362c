#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ShownItems.h"

namespace tarnwick {
namespace {

// A list control that records what was done to it.
class RecordingItems final : public ShownItems {
 public:
  explicit RecordingItems(std::vector<std::string> items) : items_(std::move(items)) {}
  std::size_t Count() const override { return items_.size(); }
  bool Shows(std::size_t index, const std::string& item) const override {
    return items_.at(index) == item;
  }
  void RemoveLast() override {
    items_.pop_back();
    ++removed_;
  }
  void Append(const std::string& item) override {
    items_.push_back(item);
    ++appended_;
  }

  std::vector<std::string> items_;
  int removed_ = 0;
  int appended_ = 0;
};

TEST(ShownItemsTest, ItemsAddedAtTheEndAreOnlyAppended) {
  RecordingItems shown({"100", "200"});
  ShowItems({"100", "200", "300"}, shown);
  EXPECT_EQ(shown.items_, (std::vector<std::string>{"100", "200", "300"}));
  EXPECT_EQ(shown.removed_, 0);
  EXPECT_EQ(shown.appended_, 1);
}

TEST(ShownItemsTest, FromTheFirstDifferenceOnTheItemsAreReplaced) {
  RecordingItems shown({"100", "200", "300"});
  ShowItems({"100", "250"}, shown);
  EXPECT_EQ(shown.items_, (std::vector<std::string>{"100", "250"}));
  EXPECT_EQ(shown.removed_, 2);
  EXPECT_EQ(shown.appended_, 1);

  ShowItems({}, shown);
  EXPECT_TRUE(shown.items_.empty());
  ShowItems({"Lbs.", "Kgs."}, shown);
  EXPECT_EQ(shown.items_, (std::vector<std::string>{"Lbs.", "Kgs."}));
}

}  // namespace
}  // namespace tarnwick
