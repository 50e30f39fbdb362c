// The shared window behaviours on the native Win32 window.
#include "tests/shared/WindowBehaviours.h"
#include "tests/windows/Win32BehaviourDriver.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowBehaviours, Win32BehaviourDriver);

}  // namespace tarnwick
