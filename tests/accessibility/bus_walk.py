#!/usr/bin/env python3
"""Both programs as a screen reader meets them, over the real accessibility bus.

Starts the launcher under its own X server and D-Bus session, presses its
subtitle to start the model, checks that every control of the launcher's and
the model's windows is named, computes a molarity through the text boxes and
reads the result back, watches the beaker's description while the solid
dissolves, opens the help, and leaves both programs through their own
commands. Exits 77 (skipped) only when the bus cannot be had.

Usage: bus_walk.py SUITE_DIR [TREE_DUMP_FILE]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
INNER = "A11Y_BUS_WALK_INNER"
# Roles whose objects are controls or carry content and must have a name.
NAMED_ROLES = {"push button", "check box", "text", "image", "menu item", "panel", "frame"}


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


def outer(suite, dump, script=__file__, extra_tools=()):
    for tool in ("xvfb-run", "dbus-run-session") + tuple(extra_tools):
        if not shutil.which(tool):
            skip(tool + " is not installed")
    if not any(os.path.exists(p) for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")):
        skip("at-spi-bus-launcher is not installed")
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        skip("python3-pyatspi is not installed for " + sys.executable)
    runtime = tempfile.mkdtemp(prefix="a11y-runtime-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=runtime, **{INNER: "1"})
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    env.pop("AT_SPI_BUS_ADDRESS", None)
    command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "dbus-run-session", "--",
               sys.executable, os.path.abspath(script), suite] + ([dump] if dump else [])
    try:
        return subprocess.run(command, env=env, timeout=170).returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


class Walk:
    def __init__(self, suite, dump):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.suite = suite
        self.dump = open(dump, "w", encoding="utf-8") if dump else None
        self.failures = []
        try:
            self.desktop = pyatspi.Registry.getDesktop(0)
            self.desktop.childCount
        except Exception as error:  # the bus itself is missing
            skip("accessibility bus unavailable: %s" % error)
        self.processes = []

    # -- helpers -----------------------------------------------------------
    def check(self, ok, message):
        if not ok:
            self.failures.append(message)
            print("FAIL: " + message)

    def pump(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while self.context.iteration(False):
                pass
            time.sleep(0.02)

    def wait_for(self, what, find, seconds=60):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            try:
                found = find()
            except Exception:
                found = None
            if found:
                return found
            self.pump(0.2)
        raise SystemExit("FAIL: timed out waiting for " + what)

    def app(self, name):
        return next((a for a in self.desktop if a is not None and a.name == name), None)

    def frame(self, app_name, title):
        app = self.app(app_name)
        return app and next((w for w in app if w.name == title), None)

    def find(self, root, role, name):
        return self.pyatspi.findDescendant(root, lambda a: a.getRoleName() == role and a.name == name)

    def press(self, accessible, action="Press"):
        actions = accessible.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        self.check(action in names, "%r offers %s, not %s" % (accessible.name, names, action))
        actions.doAction(names.index(action))

    def walk_named(self, window, label):
        if self.dump:
            self.dump.write("== %s\n" % label)
        self._walk(window, 0, label)

    def _walk(self, accessible, depth, label):
        role, name = accessible.getRoleName(), accessible.name
        actions = []
        try:
            a = accessible.queryAction()
            actions = [a.getName(i) for i in range(a.nActions)]
        except NotImplementedError:
            pass
        states = accessible.getState()
        flags = [s for s, st in (("checked", self.pyatspi.STATE_CHECKED),
                                 ("mixed", self.pyatspi.STATE_INDETERMINATE),
                                 ("showing", self.pyatspi.STATE_SHOWING)) if states.contains(st)]
        value = ""
        if role == "text":
            text = accessible.queryText()
            value = text.getText(0, text.characterCount)
        if self.dump:
            self.dump.write("%s[%s] %r%s%s%s%s\n" % (
                "  " * depth, role, name,
                " value=%r" % value if value else "",
                " description=%r" % accessible.description if accessible.description else "",
                " actions=%s" % actions if actions else "",
                " " + ",".join(flags) if flags else ""))
        showing_label = role == "label" and "showing" in flags
        if (role in NAMED_ROLES or showing_label) and not name.strip():
            self.check(False, "%s: unnamed %s at depth %d" % (label, role, depth))
        if role == "check box":
            self.check(not actions, "%s: check box %r offers %s" % (label, name, actions))
        for child in accessible:
            if child is not None:
                self._walk(child, depth + 1, label)

    def start(self, program):
        self.processes.append(subprocess.Popen([os.path.join(self.suite, program)], cwd=self.suite))
        return self.processes[-1]

    # -- the walk ------------------------------------------------------------
    def run(self):
        launcher = self.start("Kinetra")
        # The calibration window bears the same title; the menu window is the
        # one with the subtitle, as a button.
        subtitle = self.wait_for("the launcher's subtitle as a button", lambda: self.find(
            self.app("Kinetra"), "push button", "Càlcul de concentracions"), 90)
        menu = subtitle.parent
        while menu.getRoleName() != "frame":
            menu = menu.parent
        self.walk_named(menu, "Kinetra: Tavirel")
        self.press(subtitle)

        window = self.wait_for("the model's window",
                               lambda: self.frame("Concentracio", "Concentracions de les dissolucions"))
        for panel in self.pyatspi.findAllDescendants(window, lambda a: a.getRoleName() == "panel"):
            captions = [c.name for c in panel if c.getRoleName() == "check box"]
            boxes = [c.name for c in panel if c.getRoleName() == "text"]
            self.check(boxes == captions, "%s: text boxes named %s, not after %s" % (panel.name, boxes, captions))
        self.press(self.find(window, "menu item", "Molaritat"))
        datum = self.wait_for("the solute mass box",
                              lambda: self.find(window, "text", "Massa solut (grams):"))
        for box, value in (("Massa solut (grams):", "10"), ("Volum dissolució (cm3):", "100"),
                           ("Massa molecular solut:", "58.44")):
            self.find(window, "text", box).queryEditableText().setTextContents(value)
        molar = self.find(window, "text", "Molaritat:").queryText()
        result = self.wait_for("the molarity", lambda: molar.getText(0, molar.characterCount).strip() or None, 10)
        self.check(result == "1.711", "molarity read back as %r, not 1.711" % result)
        self.check(datum.queryText().getText(0, -1) == "10", "the solute mass box does not read 10")

        caja = self.find(window, "image", "Vas de precipitats amb la dissolució")
        self.wait_for("the solid to dissolve", lambda: "s'està dissolent" in caja.description, 30)
        changes = []

        def described(event):
            if event.source.name == caja.name:
                changes.append(event.source.description)

        kind = "object:property-change:accessible-description"
        self.pyatspi.Registry.registerEventListener(described, kind)
        self.pump(3)
        self.pyatspi.Registry.deregisterEventListener(described, kind)
        # Two looks a second; a tick every 40 ms would give some 75.
        self.check(1 <= len(changes) <= 8, "%d description events in 3 s" % len(changes))
        self.press(self.find(window, "menu item", "Ajuda"))
        help_window = self.wait_for("the help window", lambda: self.frame("Concentracio", "Ajuda"))
        self.check(self.find(help_window, "text", "Ajuda") is not None, "the help text is not named Ajuda")
        self.walk_named(window, "Concentracio: main window")
        self.walk_named(help_window, "Concentracio: Ajuda")

        self.press(self.find(window, "menu item", "Sortir"))
        self.press(self.find(menu, "push button", "Fi"))
        for process, name in ((launcher, "Kinetra"), (self.processes[-1], "Concentracio")):
            try:
                process.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.check(False, name + " did not end through its own command")
        return 1 if self.failures else 0

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
        if self.dump:
            self.dump.close()


def inner(walk_class, suite, dump):
    walk = walk_class(suite, dump)
    try:
        code = walk.run()
    finally:
        walk.close()
    print("PASS" if code == 0 else "%d failures" % len(walk.failures))
    return code


def main(walk_class, script, extra_tools=()):
    suite_dir = os.path.abspath(sys.argv[1])
    out = sys.argv[2] if len(sys.argv) > 2 else None
    if os.environ.get(INNER):
        sys.exit(inner(walk_class, suite_dir, out))
    sys.exit(outer(suite_dir, out, script, extra_tools))


if __name__ == "__main__":
    main(Walk, __file__)
