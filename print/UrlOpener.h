#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// Asks the system to open a URL with the user's default handler, normally the web browser.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // True when the system accepted the request; nothing waits for the page itself.
  virtual bool Open(const std::string& url) = 0;
};

struct UrlRequest {
  std::string url;
  bool accepted;

  friend bool operator==(const UrlRequest&, const UrlRequest&) = default;
};

// Keeps every URL it is asked to open, with the answer given. On its own it opens nothing and
// gives one fixed answer; made by PassingOnTo it hands each request on to another opener and
// keeps that opener's answer. For tests and the headless planner.
class UrlRecorder final : public UrlOpener {
 public:
  explicit UrlRecorder(bool accepts = true) : accepts_(accepts) {}
  // The other opener must outlive the recorder.
  static UrlRecorder PassingOnTo(UrlOpener& opener) {
    UrlRecorder recorder;
    recorder.passOnTo_ = &opener;
    return recorder;
  }

  bool Open(const std::string& url) override {
    const bool accepted = passOnTo_ != nullptr ? passOnTo_->Open(url) : accepts_;
    requests_.push_back({url, accepted});
    return accepted;
  }
  const std::vector<UrlRequest>& Requests() const { return requests_; }

 private:
  bool accepts_ = true;
  UrlOpener* passOnTo_ = nullptr;
  std::vector<UrlRequest> requests_;
};

}  // namespace tarnwick
