#pragma once

namespace tarnwick {

// The system's sign that the window is busy: shown while a command blocks the window's thread
// (a simulator exchange waits up to 23 s), and the cursor shown before it once it has run.
class WaitCursor {
 public:
  virtual ~WaitCursor() = default;
  virtual void Show() = 0;
  // Shows again the cursor that Show replaced.
  virtual void End() = 0;
};

// Shows the wait cursor for as long as it lives, also when the command throws.
class WaitCursorShown {
 public:
  explicit WaitCursorShown(WaitCursor& cursor) : cursor_(cursor) { cursor_.Show(); }
  ~WaitCursorShown() { cursor_.End(); }
  WaitCursorShown(const WaitCursorShown&) = delete;
  WaitCursorShown& operator=(const WaitCursorShown&) = delete;

 private:
  WaitCursor& cursor_;
};

// Only keeps whether the wait cursor is shown and how often it was: for tests and the headless
// planner.
class WaitCursorRecorder final : public WaitCursor {
 public:
  void Show() override {
    ++showings_;
    shown_ = true;
  }
  void End() override { shown_ = false; }
  bool Shown() const { return shown_; }
  int Showings() const { return showings_; }

 private:
  bool shown_ = false;
  int showings_ = 0;
};

}  // namespace tarnwick
