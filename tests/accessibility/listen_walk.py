#!/usr/bin/env python3
"""The molarity task by keyboard alone, as a screen reader hears it.

Starts the model under its own X server and D-Bus session, does the task with
keys only (xdotool), and records what reaches the accessibility bus: every
focus with its name, role and description, and every announcement. Checks
what a pupil must hear, and prints the transcript. Exits 77 (skipped) only
when the bus or xdotool cannot be had.

Usage: listen_walk.py SUITE_DIR [TRANSCRIPT_FILE]
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bus_walk  # noqa: E402

TITLE = "Concentracions de les dissolucions"
BEAKER = "Vas de precipitats amb la dissolució"


class Listen(bus_walk.Walk):
    def __init__(self, suite, transcript):
        super().__init__(suite, None)
        self.transcript = transcript
        self.heard = []
        self.pyatspi.Registry.registerEventListener(self.focused, "object:state-changed:focused")
        self.pyatspi.Registry.registerEventListener(self.shown, "object:state-changed:showing")

    def focused(self, event):
        if event.detail1:
            source = event.source
            showing = source.getState().contains(self.pyatspi.STATE_SHOWING)
            self.heard.append(("focus", source.getRoleName(), source.name, source.description, showing))

    def shown(self, event):
        if event.detail1 and event.source.getRoleName() == "notification":
            self.heard.append(("announcement", "notification", event.source.name, "", True))

    # There is no window manager under Xvfb: this gives the window the focus,
    # as one would when a menu closes.
    def give_focus(self):
        subprocess.run(["xdotool", "search", "--name", "^%s$" % TITLE, "windowfocus", "--sync"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pump(0.5)

    def keys(self, *keys):
        for key in keys:
            subprocess.run(["xdotool", "key", key])
            self.pump(0.4)

    # Under Xvfb, with no window manager, a busy machine sometimes closes a
    # menu just opened (the focus comes back to the beaker); the pupil then
    # opens it again. Each key waits for what it makes heard, so no key
    # overtakes another.
    def choose(self, letter, *items):
        for _ in range(3):
            before = len(self.heard)
            self.keys("alt+" + letter)
            self.hear(items[0], "focus", items[0], since=before)
            if all(self.key_heard("Down", item) for item in items[1:]):
                self.keys("Return")
                return
            self.give_focus()
        raise SystemExit("FAIL: the menu Alt+%s never stayed open" % letter.upper())

    def key_heard(self, key, name):
        before = len(self.heard)
        self.keys(key)
        end = time.monotonic() + 20
        while time.monotonic() < end:
            for h in self.heard[before:]:
                if h[0] == "focus":
                    return name in h[2]
            self.pump(0.2)
        return False

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text])
        self.pump(0.8)

    def last_focus(self):
        return next((h for h in reversed(self.heard) if h[0] == "focus"), None)

    # A loaded machine answers late: wait for what the pupil would hear.
    def hear(self, what, kind, name=None, since=0, seconds=20):
        try:
            return self.wait_for(what, lambda: next((h for h in self.heard[since:] if h[0] == kind
                                                     and (name is None or name in h[2])), None), seconds)
        except SystemExit:
            self.report()
            raise

    def run(self):
        self.start("Arxius_models/Concentracio")
        self.wait_for("the model's window", lambda: self.frame("Concentracio", TITLE), 60)
        self.pump(1)
        self.give_focus()
        self.choose("o", "tant per cent", "grams per litre", "Molaritat")
        self.give_focus()
        self.hear("the first datum", "focus", "Massa solut (grams):")
        self.type("10")
        self.keys("Tab", "Tab")
        self.type("100")
        self.keys("Tab", "Tab")
        self.hear("the solute's molar mass", "focus", "Massa molecular solut:")
        before = len(self.heard)
        self.type("58.")
        self.hear("the first result", "announcement", since=before)
        during = len(self.heard)
        self.type("44")
        self.hear("the final result", "announcement", "1.711", since=during)
        self.pump(1.5)
        said = [h[2] for h in self.heard[before:] if h[0] == "announcement" and "Molaritat" in h[2]]
        # A pause after "58." tells its result (a loaded machine may pause
        # after "58.4" too); the last one told is the one shown.
        self.check(len(said) >= 2 and "1.724" in said[0] and "1.711" in said[-1],
                   "typing the third datum announced %s" % said)
        self.keys("Tab", "space")
        for _ in range(12):
            self.keys("Tab")
            if self.last_focus() and self.last_focus()[2] == BEAKER:
                break
        self.pump(2)
        self.choose("c", "Esborrar dades i resultats")
        self.give_focus()
        self.pump(1)

        boxes = {h[2]: h[3] for h in self.heard if h[0] == "focus" and h[1] == "text"}
        self.check("necessària" in boxes.get("Massa solut (grams):", ""),
                   "the solute mass box does not say it is needed: %r" % boxes.get("Massa solut (grams):"))
        self.check("punt" in boxes.get("Massa molecular solut:", ""), "the decimal point is not mentioned")
        beaker = [h[3] for h in self.heard if h[0] == "focus" and h[2] == BEAKER]
        self.check(beaker and "partícules" in beaker[-1], "the beaker on focus says %r" % beaker)
        last = self.last_focus()
        self.check(last is not None and last[4], "after Esborrar the focus is on %r, not showing" % (last,))
        self.report()
        return 1 if self.failures else 0

    def report(self):
        lines = ["%s: [%s] %r%s" % (kind, role, name, " — " + description if description else "")
                 for kind, role, name, description, _ in self.heard]
        print("\n".join(lines))
        if self.transcript:
            with open(self.transcript, "w", encoding="utf-8") as out:
                out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    bus_walk.main(Listen, __file__, ("xdotool",))
