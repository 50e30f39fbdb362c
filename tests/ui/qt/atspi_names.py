"""Lists every text box and drop-down list of the running planner window as the desktop's
accessibility tree (AT-SPI) gives them, with role, name and description, and fails on a control
without a name, on two with one name, and when fewer than the expected controls show up."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

APPLICATION = "tarnwick"
ROLES = {"text", "entry", "combo box"}
DEADLINE_SECONDS = 30


def is_running(pid):
    """True while the process runs; an ended one not yet waited for (a zombie) does not count."""
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def find_window(planner):
    """The planner's window, once its application is on the desktop and has laid out its boxes;
    None when the time is up or the planner has ended without showing it."""
    deadline = time.monotonic() + DEADLINE_SECONDS
    while time.monotonic() < deadline and is_running(planner):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(index)
            if application is not None and application.get_name() == APPLICATION:
                if application.get_child_count() > 0:
                    return application
        time.sleep(0.2)
    return None


def walk(node, found):
    role = node.get_role_name()
    if role in ROLES:
        found.append((role, node.get_name(), node.get_description()))
        return  # a list's items are not controls of their own
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is not None:
            walk(child, found)


def main():
    expected = int(sys.argv[1])
    window = find_window(int(sys.argv[2]))
    if window is None:
        print(f"no application {APPLICATION} on the accessibility bus", file=sys.stderr)
        return 1
    found = []
    walk(window, found)
    failures = []
    for role, name, description in found:
        print(f"{role:10} | {name!r:34} | {description!r}")
        if not name:
            failures.append(f"a {role} without a name")
    names = [name for _, name, _ in found]
    failures += [f"two controls named {n!r}" for n in sorted(set(names)) if names.count(n) > 1]
    if len(found) != expected:
        failures.append(f"{len(found)} text boxes and lists, not {expected}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
