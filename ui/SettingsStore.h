#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace tarnwick {

// A per-user store of text values by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or defaultValue when the key is absent.
  virtual std::string Read(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view defaultValue) = 0;
  virtual void Write(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

// A store kept in a file or the registry, which tells whether its values got there.
class SavedSettingsStore : public SettingsStore {
 public:
  // Makes every write so far lasting; false when some value did not get there.
  virtual bool Save() = 0;
  // Where the store is kept: the file's full path, or the registry key.
  virtual std::string Location() const = 0;
  // Why the last Save failed, as the end of a sentence: "the disk is full" and the like.
  virtual std::string WriteFailureReason() const = 0;
  // A sentence for what opening the store had to set aside (a file that could not be read
  // whole, copied elsewhere), or nothing.
  virtual std::optional<std::string> SetAsideNotice() const { return std::nullopt; }
};

// A store that lives in memory only.
class InMemorySettingsStore final : public SettingsStore {
 public:
  using Address = std::tuple<std::string, std::string, std::string>;

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    const auto found = values_.find(Address(application, section, key));
    return found == values_.end() ? std::string(defaultValue) : found->second;
  }
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override {
    values_[Address(application, section, key)] = std::string(value);
  }
  const std::map<Address, std::string>& Values() const { return values_; }

 private:
  std::map<Address, std::string> values_;
};

}  // namespace tarnwick
