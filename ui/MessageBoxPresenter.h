#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Message box styles as Windows numbers them: one OK button, with the icon named.
enum class MessageBoxStyle : int {
  kNoIcon = 0,
  kError = 16,
  kExclamation = 48,
  kInformation = 64,
};

// Shows a modal message box and returns when the user has closed it. Lines in the text are
// separated by CR LF.
class MessageBoxPresenter {
 public:
  virtual ~MessageBoxPresenter() = default;
  virtual void Show(std::string_view text, std::string_view title, MessageBoxStyle style) = 0;
};

struct MessageBoxContent {
  std::string text;
  std::string title;
  MessageBoxStyle style;

  friend bool operator==(const MessageBoxContent&, const MessageBoxContent&) = default;
};

// Keeps every message instead of showing it: for tests and the headless planner.
class MessageRecorder final : public MessageBoxPresenter {
 public:
  void Show(std::string_view text, std::string_view title, MessageBoxStyle style) override {
    shown_.push_back({std::string(text), std::string(title), style});
  }
  const std::vector<MessageBoxContent>& Shown() const { return shown_; }

 private:
  std::vector<MessageBoxContent> shown_;
};

}  // namespace tarnwick
