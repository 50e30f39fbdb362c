#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

namespace tarnwick {

// Ends the event loop once the window's first paint is done: the quit is queued behind the
// paint event, so it runs after the whole window has been drawn and flushed. For timing a
// start-up from the outside (TARNWICK_EXIT_WHEN_SHOWN=1); owned by the window.
class ExitWhenFirstPainted final : public QObject {
 public:
  explicit ExitWhenFirstPainted(QWidget& window) : QObject(&window) {
    window.installEventFilter(this);
  }

  // Whether the environment asks for it: TARNWICK_EXIT_WHEN_SHOWN=1.
  static bool Asked() { return qEnvironmentVariableIntValue("TARNWICK_EXIT_WHEN_SHOWN") == 1; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(
          this, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace tarnwick
