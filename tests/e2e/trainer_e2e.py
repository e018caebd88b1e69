"""Whole flows at the real trainer, as a pupil types them.

Keys and clicks are real X events (xdotool); the window manager decides
about focus and activation; the fields, the focus and the dialogs are read
through the program's accessibility interface (AT-SPI), never from inside
the process. Each scenario starts a fresh trainer.
"""
import os
import signal
import subprocess
import sys
import time
import traceback
from fractions import Fraction

import pyatspi

QUORVEL, SHEET = sys.argv[1], sys.argv[2]
WORK = os.environ["E2E_WORK"]


class Failure(Exception):
    pass


def wait_for(what, condition, timeout=15.0):
    """Polls condition until it returns something true; fails after timeout."""
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # the accessible tree changes under us
            last_error = error
        time.sleep(0.05)
    raise Failure(f"timed out waiting for {what}" + (f" ({last_error})" if last_error else ""))


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def press(*keys):
    for key in keys:
        xdotool("key", "--delay", "60", key)


def type_text(text):
    xdotool("type", "--delay", "60", text)


def click_at(accessible):
    extents = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(extents.x + extents.width // 2), str(extents.y + extents.height // 2),
            "click", "1")


class Trainer:
    """One running trainer and its accessible tree."""

    def __init__(self):
        self.process = subprocess.Popen([QUORVEL], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.app = wait_for("the trainer on the accessibility bus", self._find_app, timeout=30)
        wait_for("the settings screen with the focus", lambda: self.focused("Start"))

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Quorvel" and app.get_process_id() == self.process.pid:
                return app
        return None

    def close(self):
        self.process.kill()
        self.process.wait()

    def windows(self):
        return [window for window in self.app if window is not None]

    def find(self, name, role=None, root=None):
        """The showing control of that accessible name."""
        def search(node):
            for child in node:
                if child is None:
                    continue
                state = child.getState()
                if child.name == name and (role is None or child.getRoleName() == role) \
                        and state.contains(pyatspi.STATE_SHOWING):
                    return child
                found = search(child)
                if found is not None:
                    return found
            return None
        for window in ([root] if root else self.windows()):
            found = search(window)
            if found is not None:
                return found
        raise Failure(f"no control {name!r}")

    def wait_find(self, name, role=None):
        """The control, once the accessible tree holds it: the tree is
        rebuilt while the settings screen changes."""
        return wait_for(f"the control {name!r}", lambda: self.find(name, role))

    def text(self, name):
        field = self.find(name, "text")
        return field.queryText().getText(0, -1)

    def focused(self, name, root=None):
        try:
            return self.find(name, root=root).getState().contains(pyatspi.STATE_FOCUSED)
        except Failure:
            return False

    def checked(self, name, root=None):
        return self.find(name, "radio button", root).getState().contains(pyatspi.STATE_CHECKED)

    def dialog(self, name_or_text):
        """A window of the trainer other than the main window, by its name or a text in it."""
        for window in self.windows():
            if window.getRoleName() in ("dialog", "alert", "frame") and window.getState().contains(
                    pyatspi.STATE_ACTIVE):
                if name_or_text in window.name or name_or_text in self._labels(window):
                    return window
        return None

    def _labels(self, node):
        texts = []
        for child in node:
            if child is None:
                continue
            if child.getRoleName() == "label":
                texts.append(child.name)
                try:
                    texts.append(child.queryText().getText(0, -1))
                except NotImplementedError:
                    pass
            texts.extend(self._labels(child))
        return " ".join(texts)

    def fields(self, *names):
        return [self.text(name) for name in names]

    def expect(self, what, actual, expected):
        if actual != expected:
            raise Failure(f"{what}: {actual!r}, expected {expected!r}")

    def wait_field(self, name, expected):
        wait_for(f"{name} = {expected!r} (is {self.text(name)!r})", lambda: self.text(name) == expected)

    def wait_focus(self, name):
        wait_for(f"the focus on {name!r}", lambda: self.focused(name))

    def start(self):
        press("Escape")
        self.wait_focus(FIRST[0])


FIRST = ["Ganze Zahl des ersten Bruchs", "Zähler des ersten Bruchs", "Nenner des ersten Bruchs"]
SECOND = ["Ganze Zahl des zweiten Bruchs", "Zähler des zweiten Bruchs", "Nenner des zweiten Bruchs"]
RESULT = ["Ergebnis: ganze Zahl", "Ergebnis: Zähler", "Ergebnis: Nenner"]
EQUALS = "Gleich: ausrechnen"
OPERATOR_DIALOG = "Eingabe der Rechenart"


def type_operand(trainer, fields, operand):
    """Whole part (may be empty), Enter, numerator "/" denominator, Enter."""
    whole, fraction = operand
    if whole:
        type_text(whole)
    press("Return")
    trainer.wait_focus(fields[1])
    type_text(fraction)
    press("Return")


def type_exercise(trainer, first, operator_key, second):
    """Types an exercise as the typing flow asks for it, to the reminder and
    on to "="."""
    type_operand(trainer, FIRST, first)
    wait_for("the operator dialog", lambda: trainer.dialog(OPERATOR_DIALOG))
    press(operator_key)
    wait_for("the operator dialog to close", lambda: trainer.dialog(OPERATOR_DIALOG) is None)
    trainer.wait_focus(SECOND[0])
    type_operand(trainer, SECOND, second)
    wait_for("the reminder", lambda: trainer.dialog("Jetzt rechnen!"))
    press("Return")
    trainer.wait_focus(EQUALS)


def typing_flow(trainer):
    """Two exercises typed in a row; each focus move selects the field, so
    what is typed replaces the design texts and the last exercise."""
    trainer.start()
    type_exercise(trainer, ("", "3/4"), "plus", ("", "1/6"))
    trainer.expect("first operand", trainer.fields(*FIRST), ["", "3", "4"])
    trainer.expect("second operand", trainer.fields(*SECOND), ["", "1", "6"])
    press("Return")
    trainer.wait_field(RESULT[2], "12")
    trainer.expect("3/4 + 1/6", trainer.fields(*RESULT[1:]), ["11", "12"])
    trainer.wait_focus(FIRST[0])
    # The engine passes each block's name on; its role "math" reaches the
    # accessibility bus as "text". The rows of digits and bars are not read.
    wait_for("the first block read as words",
             lambda: ("text", "drei Viertel plus ein Sechstel") in spoken_blocks(trainer.find("Rechenweg")))
    names = [name for _, name in spoken_blocks(trainer.find("Rechenweg"))]
    trainer.expect("the sum read as words", any("elf Zwölftel" in name for name in names), True)
    rows = [name for name in names if name.strip() and not any(c.isalpha() for c in name)]
    trainer.expect("no row of bare digits and bars", rows, [])

    type_exercise(trainer, ("1", "1/2"), "plus", ("", "1/3"))
    trainer.expect("first operand", trainer.fields(*FIRST), ["1", "1", "2"])
    trainer.expect("second operand", trainer.fields(*SECOND), ["", "1", "3"])
    press("space")
    trainer.wait_field(RESULT[2], "6")
    trainer.expect("1 1/2 + 1/3", trainer.fields(*RESULT), ["1", "5", "6"])


def failing_key_n(trainer):
    """The key n is never typed into a field, also when posing fails."""
    trainer.start()
    for number, field in [("99999999999", FIRST[1]), ("2147483647 i", "Aufgabennummer")]:
        click_at(trainer.find("Aufgabennummer"))
        trainer.wait_focus("Aufgabennummer")
        press("ctrl+a")
        type_text(number)
        click_at(trainer.find(field))
        trainer.wait_focus(field)
        before = trainer.text(field)
        press("n")
        wait_for("the error box", lambda: trainer.dialog("kein gültiger Integerwert"))
        press("Return")
        trainer.wait_focus(field)
        trainer.expect(f"{field} after a failing n", trainer.text(field), before)


def focus_stays(trainer):
    """The cursor stays where the pupil put it: across a switch to another
    window and back, and in the worked solution."""
    trainer.start()
    press("n")
    wait_for("the solution", lambda: trainer.text(RESULT[2]))
    click_at(trainer.find(SECOND[1]))
    trainer.wait_focus(SECOND[1])
    other = subprocess.Popen(["xmessage", "-name", "andere", "anderes Fenster"])
    try:
        window = wait_for("the other window", lambda: subprocess.run(
            ["xdotool", "search", "--name", "andere"], capture_output=True, text=True).stdout.split())[0]
        xdotool("windowactivate", "--sync", window)
        wait_for("the trainer to lose the focus", lambda: not trainer.focused(SECOND[1]))
    finally:
        other.kill()
        other.wait()
    wait_for("the trainer to be active again", lambda: trainer.focused(SECOND[1]), timeout=5)
    type_text("5")
    wait_for("the 5 in the second numerator", lambda: trainer.text(SECOND[1]).endswith("5"))

    click_at(trainer.find("Rechenweg"))
    before = trainer.fields(*FIRST)
    press("Next", "space", "Down")
    time.sleep(0.5)  # give a wrongly placed cursor the time to take the keys
    trainer.expect("the first operand after keys in the page", trainer.fields(*FIRST), before)
    if trainer.focused(FIRST[0]):
        raise Failure("the cursor went back to the first field")


def operator_dialog(trainer):
    """The dialog opens on the selected row; the arrow keys select rows."""
    trainer.start()
    click_at(trainer.find("Multiplikation", "radio button"))
    wait_for("Multiplikation selected", lambda: trainer.checked("Multiplikation"))
    click_at(trainer.find(FIRST[2]))
    trainer.wait_focus(FIRST[2])
    press("Return")
    dialog = wait_for("the operator dialog", lambda: trainer.dialog(OPERATOR_DIALOG))
    wait_for("the focus on the selected row", lambda: trainer.focused("Multiplikation", dialog))
    press("Down")
    wait_for("Division selected in the dialog", lambda: trainer.checked("Division", dialog))
    press("Return")
    wait_for("the operator dialog to close", lambda: trainer.dialog(OPERATOR_DIALOG) is None)
    trainer.wait_focus(SECOND[0])
    if not trainer.checked("Division"):
        raise Failure("the window's operation is not Division")


def renderer_pids(pid):
    """The engine's page processes: forked by its zygotes below the trainer."""
    children = {}
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                children.setdefault(int(stat.read().rsplit(")", 1)[1].split()[1]), []).append(int(entry))
        except OSError:
            pass
    return [page for zygote in children.get(pid, []) for page in children.get(zygote, [])]


def collect_and_save(trainer):
    """Collect mode: ten solutions, the page's process killed, one more, and
    the saved file holds all eleven, byte for byte the worksheet tool's."""
    click_at(trainer.wait_find("Aufgaben sammeln", "radio button"))
    wait_for("collect mode", lambda: trainer.checked("Aufgaben sammeln"))
    trainer.start()
    for _ in range(10):
        before = trainer.text("Aufgabennummer")
        press("n")
        wait_for("the next exercise", lambda: trainer.text("Aufgabennummer") != before)
    pages = wait_for("the page's process", lambda: renderer_pids(trainer.process.pid))
    for pid in pages:
        os.kill(pid, signal.SIGKILL)
    press("n")
    trainer.wait_field("Aufgabennummer", "2 b")
    click_at(trainer.find("Drucken", "push button"))
    preview = wait_for("the print preview", lambda: trainer.dialog("Druckvorschau"), timeout=60)
    click_at(trainer.find("Schließen", "push button", preview))
    wait_for("the preview to close", lambda: trainer.dialog("Druckvorschau") is None)

    actual = save_page(trainer, "gesammelt.html")
    expected = subprocess.run([SHEET, "--from", "1 a", "-n", "11"], capture_output=True, check=True).stdout
    # The switch to collect mode counted as a shown text, so the page breaks
    # fall after the first, third, ... solution, one place off the tool's.
    page_break = b'\r\n<div style="page-break-before:always"></div>'
    trainer.expect("page breaks", actual.count(page_break), 6)
    if actual.replace(page_break, b"") != expected.replace(page_break, b""):
        raise Failure(f"the saved file differs from the eleven solutions ({len(actual)} vs {len(expected)} bytes)")
    if trainer.process.poll() is not None:
        raise Failure("the trainer ended")


def save_page(trainer, name):
    """"Speichern" into the work folder; the saved bytes."""
    target = os.path.join(WORK, name)
    click_at(trainer.find("Speichern", "push button"))
    wait_for("the save dialog", lambda: trainer.dialog("Speichern"))
    time.sleep(0.3)
    press("ctrl+a")
    type_text(target)
    press("Return")
    question = wait_for("the question before creating the file", lambda: trainer.dialog("erstellt werden"), timeout=5)
    if question:
        press("Return")
    wait_for("the saved file", lambda: os.path.exists(target) and os.path.getsize(target) > 0)
    time.sleep(0.3)
    with open(target, "rb") as saved:
        return saved.read()


def checking(trainer):
    """The pupil's own result, collected: key n only poses "1 a" (1/4 +
    18/42) and waits in the result; a typical wrong result is named, the
    right one is "Richtig!", and the tally counts both."""
    click_at(trainer.wait_find("Aufgaben sammeln", "radio button"))
    wait_for("collect mode", lambda: trainer.checked("Aufgaben sammeln"))
    click_at(trainer.wait_find("Mein Ergebnis prüfen", "check box"))
    wait_for("checking on", lambda: trainer.find("Mein Ergebnis prüfen", "check box").getState().contains(
        pyatspi.STATE_CHECKED))
    trainer.start()
    press("n")
    trainer.wait_field("Aufgabennummer", "1 a")
    trainer.wait_focus(RESULT[0])
    trainer.expect("the result after n", trainer.fields(*RESULT), ["", "", ""])
    for answer, tally in [("19/46", "Geprüft 1 · richtig 0 · nicht gekürzt 0 · falsch 1"),
                          ("19/28", "Geprüft 2 · richtig 1 · nicht gekürzt 0 · falsch 1")]:
        press("Return")
        trainer.wait_focus(RESULT[1])
        type_text(answer)
        press("Return")
        wait_for(f"the tally {tally!r}", lambda: trainer.find(tally, "label"))
        trainer.wait_focus(RESULT[0])
    trainer.expect("the result as typed", trainer.fields(*RESULT[1:]), ["19", "28"])
    page = save_page(trainer, "geprueft.html")
    for verdict in ["Typischer Fehler: <b>Zähler plus Zähler, Nenner plus Nenner.</b>", "Richtig!</span>"]:
        if verdict.encode("cp1252") not in page:
            raise Failure(f"the page lacks {verdict!r}")


def wrong_sum_checked(trainer):
    """From the settings, with checking on: 1/2 + 1/3 typed, and the wrong
    2/5 checked."""
    trainer.start()
    type_operand(trainer, FIRST, ("", "1/2"))
    wait_for("the operator dialog", lambda: trainer.dialog(OPERATOR_DIALOG))
    press("plus")
    trainer.wait_focus(SECOND[0])
    type_operand(trainer, SECOND, ("", "1/3"))
    trainer.wait_focus(RESULT[0])
    press("Return")
    trainer.wait_focus(RESULT[1])
    type_text("2/5")
    press("Return")


def hint_ladder(trainer):
    """With checking on, 1/2 + 1/3 and a wrong 2/5: the verdict and no
    worked solution yet; "Tipp" (F1, then a click) asks for the common
    denominator, 6 answers it; then 5/6 is counted "mit Tipp", the worked
    solution below."""
    click_at(trainer.wait_find("Mein Ergebnis prüfen", "check box"))
    wait_for("checking on", lambda: trainer.find("Mein Ergebnis prüfen", "check box").getState().contains(
        pyatspi.STATE_CHECKED))
    wrong_sum_checked(trainer)
    wait_for("the verdict", lambda: trainer.find("Geprüft 1 · richtig 0 · nicht gekürzt 0 · falsch 1", "label"))
    page = lambda: " ".join(name for _, name in spoken_blocks(trainer.find("Rechenweg")))
    wait_for("the typical error named", lambda: "Typischer Fehler" in page())
    trainer.expect("no worked solution yet", "Zähler addieren" in page(), False)

    press("F1")
    wait_for("the first hint heard", lambda: "denselben Nenner" in trainer.find("Tipp", "push button").description)
    click_at(trainer.find("Tipp", "push button"))
    trainer.wait_focus("Antwort auf die Frage des Tipps")
    trainer.find("Welcher Hauptnenner?", "label")
    type_text("6")
    press("Return")
    wait_for("the step shown done", lambda: "Richtig!" in page() and "kgV(2,3)=6" in page())

    click_at(trainer.find(RESULT[1], "text"))
    press("ctrl+a")
    type_text("5/6")
    press("Return")
    wait_for("counted with a hint", lambda: trainer.find(
        "Geprüft 2 · richtig 1 · nicht gekürzt 0 · falsch 1 · selbst gelöst 0 · mit Tipp 1 · Lösung angesehen 0", "label"))
    wait_for("the worked solution below", lambda: "Zähler addieren" in page())


def practice_session(trainer):
    """"Üben, bis es sitzt": 1/2 + 1/3 and a wrong 2/5 is heard in the skill
    list; key n poses, under its number, an addition with unlike
    denominators on which "Zähler plus Zähler, Nenner plus Nenner" gives a
    wrong value; "Fertig" twice shows "Mein Übungsweg"."""
    click_at(trainer.wait_find("Üben, bis es sitzt", "check box"))
    wait_for("checking on with practice", lambda: trainer.find("Mein Ergebnis prüfen", "check box").getState().contains(
        pyatspi.STATE_CHECKED))
    wrong_sum_checked(trainer)
    skills = trainer.find("Was Du übst", "text")
    wait_for("the open skill heard", lambda: "Hauptnenner: noch offen" in skills.description)

    press("n")
    wait_for("a designation in Nr.", lambda: trainer.text("Aufgabennummer") not in ("", "Bsp."))
    number = trainer.text("Aufgabennummer")
    if not (number.split(" ")[0].isdigit() and number.split(" ")[1].isalpha()):
        raise Failure(f"no designation in Nr.: {number!r}")
    whole1, a, b = trainer.fields(*FIRST)
    whole2, c, d = trainer.fields(*SECOND)
    trainer.expect("whole parts", (whole1, whole2), ("", ""))
    trainer.expect("the operation", trainer.checked("Addition"), True)
    a, b, c, d = map(int, (a, b, c, d))
    if b == d or Fraction(a + c, b + d) == Fraction(a, b) + Fraction(c, d):
        raise Failure(f"{number}: {a}/{b} + {c}/{d} is no contrast to numerator plus numerator")
    trainer.expect("the list", "Hauptnenner" in trainer.find("Was Du übst", "text").queryText().getText(0, -1), True)

    click_at(trainer.find("Fertig", "push button"))
    wait_for("the review announced", lambda: "gemischte Aufgaben" in trainer.find("Was Du übst", "text").description)
    click_at(trainer.find("Fertig", "push button"))
    page = lambda: " ".join(name for _, name in spoken_blocks(trainer.find("Rechenweg")))
    wait_for("the page Mein Übungsweg", lambda: "Mein Übungsweg" in page())


def in_view(trainer, text):
    """Whether a line of the page holding text stands in the visible part of
    the view, as the accessibility interface places it."""
    view = trainer.find("Rechenweg").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

    def search(node, depth=0):
        for child in node:
            if child is None or depth > 40:
                continue
            if text in (child.name or ""):
                box = child.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                return view.y <= box.y < view.y + view.height
            found = search(child, depth + 1)
            if found is not None:
                return found
        return None
    return search(trainer.find("Rechenweg"))


def spoken_blocks(node, depth=0):
    """The role and name of each named node below node."""
    found = []
    for child in node:
        if child is not None and depth < 40:
            found += [(child.getRoleName(), child.name)] * bool(child.name) + spoken_blocks(child, depth + 1)
    return found


def keep_the_collection(trainer):
    """Collect mode: neither a word typed into "Nr." nor the instructions
    shown between two solutions drop what was collected; "Löschen" asks, and
    "Nein" keeps it; the newest solution comes into view."""
    click_at(trainer.wait_find("Aufgaben sammeln", "radio button"))
    wait_for("collect mode", lambda: trainer.checked("Aufgaben sammeln"))
    trainer.start()
    for number in ["1 a", "1 b"]:
        press("n")
        trainer.wait_field("Aufgabennummer", number)
    # The key n poses wherever it is typed: the words go in as pasted.
    trainer.find("Aufgabennummer", "text").queryEditableText().setTextContents("Anleitung S. 12")
    trainer.wait_field("Aufgabennummer", "Anleitung S. 12")
    for _ in range(2):
        click_at(trainer.find(EQUALS))
    press("Escape")
    wait_for("the settings screen", lambda: trainer.find("Erklärungen", "push button"))
    click_at(trainer.find("Erklärungen", "push button"))
    trainer.start()
    press("n")
    trainer.wait_field("Aufgabennummer", "12 f")
    wait_for("the newest solution in view", lambda: in_view(trainer, "Aufgabe 12 f)"))

    click_at(trainer.find("Löschen", "push button"))
    wait_for("the question", lambda: trainer.dialog("Die gesammelten Aufgaben löschen?"))
    press("Return")  # "Nein" is the default
    wait_for("the question to close", lambda: trainer.dialog("Die gesammelten Aufgaben löschen?") is None)
    page = save_page(trainer, "behalten.html")
    titles = [page.count(f"Aufgabe {n}) [n e]".encode()) for n in ["1 a", "1 b", "Anleitung S. 12", "12 f"]]
    trainer.expect("the solutions collected", titles, [1, 1, 2, 1])
    if b"Lege Papier" in page:
        raise Failure("the instructions stayed in the collection")


SCENARIOS = [typing_flow, failing_key_n, focus_stays, operator_dialog, collect_and_save, checking,
             hint_ladder, practice_session, keep_the_collection]


def main():
    chosen = [s for s in SCENARIOS if len(sys.argv) < 4 or s.__name__ in sys.argv[3:]]
    passed = failed = 0
    for scenario in chosen:
        trainer = Trainer()
        try:
            scenario(trainer)
            passed += 1
            print(f"ok   {scenario.__name__}", flush=True)
        except Exception:
            failed += 1
            print(f"FAIL {scenario.__name__}", flush=True)
            traceback.print_exc()
            if os.environ.get("E2E_SHOTS"):
                subprocess.run(["import", "-window", "root",
                                os.path.join(os.environ["E2E_SHOTS"], f"{scenario.__name__}.png")])
        finally:
            trainer.close()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
