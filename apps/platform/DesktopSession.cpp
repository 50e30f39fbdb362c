#include "apps/platform/DesktopSession.h"

#include <QByteArray>

namespace tarnwick {
namespace {

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<QGuiApplication> StartDesktopSession() {
  // QGuiApplication keeps references to its arguments for its whole life.
  static char programName[] = "tarnwick-plan";
  static char platformOption[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* arguments[] = {programName, platformOption, offscreen, nullptr};
  static int argumentCount = 1;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !HasDisplay()) argumentCount = 3;
  return std::make_unique<QGuiApplication>(argumentCount, arguments);
}

}  // namespace tarnwick
