// The shared window behaviours on the Qt window.
#include "tests/shared/WindowBehaviours.h"
#include "tests/ui/qt/QtBehaviourDriver.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowBehaviours, QtBehaviourDriver);

}  // namespace tarnwick
