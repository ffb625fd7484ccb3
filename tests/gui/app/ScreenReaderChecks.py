"""The checks of the screen-reader walk, run by ScreenReaderWalk.py once the driver's windows
show on the accessibility bus."""

import re
import time

APP_NAME = "quillmark-accessibility-driver"
# Controls whose caption does not say what they do: each must carry a description.
DESCRIBED = {"Payment", "Years", "Principal", "Complete calculation", "Comparison totals",
             "Add fund"}


def spoken(text):
    """A name or label as compared: blanks around it dropped, runs of blanks made one."""
    return " ".join((text or "").split())


class Walk:
    def __init__(self, at, dump):
        self.at = at
        self.dump = dump
        self.failures = []
        self.checked = 0
        self.tabs = 0
        self.interactive = {at.ROLE_PUSH_BUTTON, at.ROLE_TOGGLE_BUTTON, at.ROLE_CHECK_BOX,
                            at.ROLE_RADIO_BUTTON, at.ROLE_COMBO_BOX, at.ROLE_TEXT,
                            at.ROLE_ENTRY, at.ROLE_PASSWORD_TEXT, at.ROLE_SPIN_BUTTON,
                            at.ROLE_PAGE_TAB, at.ROLE_LIST, at.ROLE_SLIDER, at.ROLE_TABLE,
                            at.ROLE_TREE}

    # --- reading the tree -------------------------------------------------------------------

    def fail(self, where, what):
        self.failures.append("%s: %s" % (where, what))

    def has(self, node, state):
        node.clearCache()
        return node.getState().contains(state)

    def children(self, node):
        node.clearCache()
        return [child for child in node if child is not None]

    def descendants(self, node, shown_only=False):
        """Every node below `node`; with `shown_only`, hidden ones and all below them left out."""
        for child in self.children(node):
            if shown_only and not self.has(child, self.at.STATE_SHOWING):
                continue
            yield child
            yield from self.descendants(child, shown_only)

    def path(self, node):
        parts = []
        while node is not None and node.getRole() != self.at.ROLE_APPLICATION:
            parts.append("%s '%s'" % (node.getRoleName(), spoken(node.name)))
            node = node.parent
        return " > ".join(reversed(parts))

    def label_of(self, node):
        for relation in node.getRelationSet():
            if relation.getRelationType() == self.at.RELATION_LABELLED_BY:
                return relation.getTarget(0)
        return None

    def find(self, root, role, name=None):
        """The first node shown of `role` (named `name`) below `root`."""
        for node in self.descendants(root, shown_only=True):
            if node.getRole() == role and (name is None or spoken(node.name) == name):
                return node
        return None

    def press(self, node):
        """Acts on `node` as a screen reader's "activate" does: press a button or a tab, toggle
        an option."""
        action = node.queryAction()
        names = [action.getName(i).lower() for i in range(action.nActions)]
        for wanted in ("press", "toggle", "click"):
            if wanted in names:
                action.doAction(names.index(wanted))
                return
        self.fail(self.path(node), "cannot be acted on (actions: %s)" % ", ".join(names))

    def wait(self, condition, seconds=5.0):
        end = time.time() + seconds
        while time.time() < end:
            if condition():
                return True
            time.sleep(0.05)
        return condition()

    def find_app(self):
        desktop = self.at.Registry.getDesktop(0)
        for _ in range(200):
            for app in desktop:
                if app is not None and app.name == APP_NAME and app.childCount >= 10:
                    return app
            time.sleep(0.1)
        return None

    def window(self, app, role, name):
        """The top-level window titled `name`; one of another role than `role` is a failure."""
        for node in self.children(app):
            if spoken(node.name) == name:
                if node.getRole() != role:
                    self.fail(self.path(node), "a window shown as a %s" % node.getRoleName())
                return node
        return None

    # --- the rules for every control shown ----------------------------------------------------

    def check_controls(self, root):
        """Every control shown that one can act on is named; a labelled one after its label."""
        at = self.at
        for node in self.descendants(root, shown_only=True):
            role = node.getRole()
            if role not in self.interactive:
                continue
            self.checked += 1
            where = self.path(node)
            name = spoken(node.name)
            if not name:
                self.fail(where, "no name")
                continue
            if name in DESCRIBED and not spoken(node.description):
                self.fail(where, "no description of what it does")
            label = self.label_of(node)
            named_by_label = role not in (at.ROLE_PUSH_BUTTON, at.ROLE_TOGGLE_BUTTON,
                                          at.ROLE_CHECK_BOX, at.ROLE_RADIO_BUTTON, at.ROLE_PAGE_TAB)
            if named_by_label and label is not None and spoken(label.name) != name:
                self.fail(where, "named '%s' but its label reads '%s'" % (name, spoken(label.name)))
            editable = self.has(node, at.STATE_EDITABLE) and not self.has(node, at.STATE_READ_ONLY)
            in_list = node.parent is not None and node.parent.getRole() == at.ROLE_COMBO_BOX
            if role == at.ROLE_COMBO_BOX:
                self.check_list(node, where, name, label)
            elif role == at.ROLE_TEXT and editable and not in_list and label is None:
                self.fail(where, "a box without a label")

    def check_list(self, node, where, name, label):
        at = self.at
        if label is None:
            self.fail(where, "a list without a label")
        # What the list shows is its text; the edit part of a list one types into shows the same.
        try:
            value = spoken(node.queryText().getText(0, -1))
        except NotImplementedError:
            self.fail(where, "does not give the entry it shows as its text")
            value = ""
        for child in self.children(node):
            if child.getRole() in (at.ROLE_TEXT, at.ROLE_ENTRY):
                if spoken(child.queryText().getText(0, -1)) != value:
                    self.fail(where, "its edit part shows another text than the list")
            if spoken(child.name) != name:
                self.fail(where, "its %s is named '%s'" % (child.getRoleName(), spoken(child.name)))
        if value and value == name and (label is None or spoken(label.name) != value):
            self.fail(where, "named after its chosen entry '%s'" % value)

    def check_options(self, root):
        """Each group of options shown has exactly one checked."""
        at = self.at
        for group in self.descendants(root, shown_only=True):
            options = [c for c in self.children(group) if c.getRole() == at.ROLE_RADIO_BUTTON]
            if not options:
                continue
            checked = [o for o in options if self.has(o, at.STATE_CHECKED)]
            if len(checked) != 1:
                self.fail(self.path(group), "%d options checked" % len(checked))

    def check_page(self, window, expect_line=None):
        """The window's results page shown is read-only and reads line by line."""
        at = self.at
        page = self.find(window, at.ROLE_TEXT, "Results")
        if page is None:
            self.fail(self.path(window), "no results page shown")
            return
        where = self.path(page)
        if not self.has(page, at.STATE_READ_ONLY) or self.has(page, at.STATE_EDITABLE):
            self.fail(where, "the page is not read-only")
        text = page.queryText()
        if not self.wait(lambda: text.characterCount > 0):
            self.fail(where, "the page is empty")
            return
        whole = text.getText(0, -1)
        # As a screen reader reads it: the line at the caret, then the next line down.
        lines, offset = [], 0
        while offset < text.characterCount and len(lines) < 400:
            line, start, end = text.getTextAtOffset(offset, at.TEXT_BOUNDARY_LINE_START)
            lines.append(line.rstrip("\n"))
            following = end + 1 if end < len(whole) and whole[end] == "\n" else end
            if following <= offset:
                break
            offset = following
        while lines and not lines[-1]:
            lines.pop()
        if lines != whole.rstrip("\n").split("\n"):
            self.fail(where, "does not read line by line (%d lines read)" % len(lines))
        if expect_line is not None and expect_line not in lines:
            self.fail(where, "no line '%s'" % expect_line)

    # --- windows, tabs, dialogs, charts -------------------------------------------------------

    def close_new_dialogs(self, app, known, seen):
        """Checks and closes each message or question a step opened; adds their texts to
        `seen`."""
        at = self.at
        for node in self.children(app):
            if node in known or node.getRole() not in (at.ROLE_ALERT, at.ROLE_DIALOG):
                continue
            if not self.has(node, at.STATE_SHOWING):
                continue
            self.check_dialog(node)
            seen.append(spoken(node.description))
            for name in ("Exit", "OK", "No", "Cancel"):
                button = self.find(node, at.ROLE_PUSH_BUTTON, name)
                if button is not None:
                    self.press(button)
                    break
            self.wait(lambda: not self.has(node, at.STATE_SHOWING), 3)

    def walk_tabs(self, app, window, skip=()):
        at = self.at
        tabs = self.find(window, at.ROLE_PAGE_TAB_LIST)
        if tabs is None:
            self.fail(self.path(window), "no tabs")
            return
        known = set(self.children(app))
        for tab in [t for t in self.children(tabs) if t.getRole() == at.ROLE_PAGE_TAB]:
            if spoken(tab.name) in skip:
                continue
            self.press(tab)
            # The tab bar is named after the tab selected.
            if not self.wait(lambda: (tabs.clearCache(), spoken(tabs.name))[1] == spoken(tab.name)):
                self.fail(self.path(tab), "not selected after pressing it")
            time.sleep(0.2)
            messages = []
            self.close_new_dialogs(app, known, messages)
            for message in messages:
                print("tab '%s' showed: %s" % (spoken(tab.name), message))
            self.tabs += 1
            self.check_controls(window)
            self.check_options(window)
            yield tab

    def check_focus_moves(self, app):
        """In the active window, each control shown that takes the focus reports it in turn."""
        at = self.at
        active = [w for w in self.children(app) if self.has(w, at.STATE_ACTIVE)]
        if len(active) != 1:
            self.fail("windows", "%d active windows" % len(active))
            return
        # Tabs are parts of their tab bar, which takes the focus for them.
        controls = [n for n in self.descendants(active[0], shown_only=True)
                    if n.getRole() in self.interactive and n.getRole() != at.ROLE_PAGE_TAB
                    and self.has(n, at.STATE_FOCUSABLE) and self.has(n, at.STATE_ENABLED)]
        if len(controls) < 2:
            self.fail(self.path(active[0]), "fewer than two controls to focus")
        for node in controls:
            self.check_focus(node)

    def check_focus(self, node):
        """A control given the focus reports it, and the control that had it no longer does."""
        at = self.at
        before = [n for n in self.descendants(self.top(node), shown_only=True)
                  if n.getRole() != at.ROLE_PAGE_TAB and self.has(n, at.STATE_FOCUSED)]
        node.queryComponent().grabFocus()
        if not self.wait(lambda: self.has(node, at.STATE_FOCUSED)):
            self.fail(self.path(node), "not focused after taking the focus")
        for other in before:
            if other != node and self.has(other, at.STATE_FOCUSED):
                self.fail(self.path(other), "still focused after the focus moved on")

    def top(self, node):
        while node.parent is not None and node.parent.getRole() != self.at.ROLE_APPLICATION:
            node = node.parent
        return node

    def check_dialog(self, dialog):
        at = self.at
        where = self.path(dialog)
        self.check_controls(dialog)
        if dialog.getRole() == at.ROLE_ALERT:
            labels = [spoken(c.name) for c in self.descendants(dialog) if c.getRole() == at.ROLE_LABEL]
            if not spoken(dialog.description) and not any(labels):
                self.fail(where, "an alert without its text")

    def check_calculators(self, app):
        at = self.at
        window = self.window(app, at.ROLE_FRAME, "Calculations")
        if window is None:
            self.fail("Calculations", "window missing")
            return
        answers = {"Payment": "Monthly principal and interest",
                   "Years": "Amortization period in years",
                   "Principal": "Principal amount of mortgage"}
        for tab in self.walk_tabs(app, window):
            if spoken(tab.name) != "Mortgage tables":
                continue
            # The box of the quantity solved for is locked: read-only to a screen reader.
            group = self.find(window, at.ROLE_PANEL, "Select to find")
            options = [c for c in self.children(group) if c.getRole() == at.ROLE_RADIO_BUTTON]
            # Choosing each option in turn with the screen reader's action locks its box alone.
            for chosen in options + options[:1]:
                self.press(chosen)
                if not self.wait(lambda: self.has(chosen, at.STATE_CHECKED)):
                    self.fail(self.path(chosen), "not checked once chosen")
                for option in options:
                    box = self.find(window, at.ROLE_TEXT, answers.get(spoken(option.name)))
                    locked = option == chosen
                    if box is None or not self.wait(
                            lambda: self.has(box, at.STATE_READ_ONLY) == locked, 2):
                        self.fail(self.path(option), "its box is %s after '%s' was chosen" % (
                            "not read-only" if locked else "read-only", spoken(chosen.name)))
        self.press(self.find(window, at.ROLE_PUSH_BUTTON, "How to use"))
        self.check_page(window, "This program was written to incorporate the")

    def check_manager(self, app):
        at = self.at
        # Its title names the database open in it.
        window = self.window(app, at.ROLE_FRAME, "DtaSampl.QMD - Investment manager")
        if window is None:
            self.fail("DtaSampl.QMD - Investment manager", "window missing")
            return
        # The first two tabs only open the file dialog.
        for tab in self.walk_tabs(app, window, skip=("Open file", "Save file")):
            if spoken(tab.name) == "Display data":
                self.press(self.find(window, at.ROLE_PUSH_BUTTON, "Display all funds"))
                self.check_page(window)
            if spoken(tab.name) == "Current value":
                price = self.find(window, at.ROLE_TEXT, "Amberlane Growth Fund")
                if price is None:
                    self.fail(self.path(window), "no price box named after its fund")

    def chart_lines(self, chart):
        chart.clearCache()
        return [spoken(line) for line in (chart.description or "").split("\n")]

    def check_chart(self, window, heading, pattern, count):
        at = self.at
        chart = self.find(window, at.ROLE_CHART)
        if chart is None:
            self.fail(self.path(window), "no chart")
            return None
        where = self.path(chart)
        lines = self.chart_lines(chart)
        if spoken(chart.name) != heading or lines[0] != heading:
            self.fail(where, "titled '%s' / '%s', not '%s'" % (spoken(chart.name), lines[0], heading))
        figures = [line for line in lines[1:] if re.fullmatch(pattern, line)]
        if len(figures) != count or len(lines) != count + 1:
            self.fail(where, "%d of %d figures read: %s" % (len(figures), count, lines[1:4]))
        return chart

    def check_charts(self, app):
        at = self.at
        years = self.window(app, at.ROLE_DIALOG, "Pension growth")
        if years is None:
            self.fail("Pension growth", "chart window missing")
        else:
            self.check_controls(years)
            chart = self.check_chart(years, "Pension growth over 25 Years",
                                     r"Year \d+: \$[\d,]+\.\d\d", 25)
            if chart is not None and "Year 25: $244,711.99" not in self.chart_lines(chart):
                self.fail(self.path(chart), "no 'Year 25: $244,711.99'")
        funds = self.window(app, at.ROLE_DIALOG, "Investment manager charts")
        if funds is None:
            self.fail("Investment manager charts", "chart window missing")
            return
        self.check_controls(funds)
        fund = r"(Acme Growth|Bond Index|Cash Reserve): "
        chart = self.check_chart(funds, "Gain or Loss in dollars", fund + r"-?\$[\d,]+\.\d\d", 3)
        for button, heading, value in (
                ("Current value", "Current value of each company/fund", r"\$[\d,]+\.\d\d"),
                ("Gain/Loss %", "Gain or Loss in percent", r"-?[\d,]+\.\d\d%")):
            self.press(self.find(funds, at.ROLE_PUSH_BUTTON, button))
            if chart is not None and not self.wait(lambda: self.chart_lines(chart)[0] == heading):
                self.fail(self.path(chart), "still reads '%s' after '%s'"
                          % (self.chart_lines(chart)[0], button))
            self.check_chart(funds, heading, fund + value, 3)

    def check_dialogs(self, app):
        at = self.at
        texts = ("No data to graph, Calculate.", "Continue with Printout.")
        found = {}
        for node in self.children(app):
            if node.getRole() in (at.ROLE_ALERT, at.ROLE_DIALOG) and self.has(node, at.STATE_SHOWING):
                if self.find(node, at.ROLE_CHART) is None:
                    self.check_dialog(node)
                    found[spoken(node.description)] = node
        for text in texts:
            node = found.get(text)
            if node is None:
                self.fail("dialogs", "no message or question reading '%s'" % text)
            elif node.getRole() != at.ROLE_ALERT:
                self.fail(self.path(node), "a message shown as a %s" % node.getRoleName())
        for title, prompt in (("Input", "Type in one line header information."),
                              ("Input", "Correct record number:")):
            if not any(self.find(n, at.ROLE_TEXT, prompt) for n in self.children(app)
                       if n.getRole() == at.ROLE_DIALOG and spoken(n.name) == title):
                self.fail("dialog '%s'" % title, "no box named '%s'" % prompt)

    def check_menu(self, app):
        menu = self.window(app, self.at.ROLE_FRAME, "Quillmark")
        if menu is None:
            self.fail("Quillmark", "start menu missing")
        else:
            self.check_controls(menu)

    def run(self):
        app = self.find_app()
        if app is None:
            print("FAILED: the program does not show on the accessibility bus")
            return 1
        time.sleep(0.3)
        if self.dump:
            dump_tree(app)
            return 0
        self.check_menu(app)
        self.check_dialogs(app)
        self.check_charts(app)
        self.check_calculators(app)
        self.check_manager(app)
        self.check_focus_moves(app)
        for failure in self.failures:
            print("FAILED: " + failure)
        print("%d windows, %d tabs, %d controls checked, %d failures"
              % (len(self.children(app)), self.tabs, self.checked, len(self.failures)))
        return 1 if self.failures or self.checked == 0 else 0


def dump_tree(node, depth=0):
    states = [str(s).split()[1].lower().replace("atspi_state_", "").replace("atspi_", "")
              for s in node.getState().getStates()]
    print("  " * depth + "%s [%s] desc=[%s] %s" % (node.getRoleName(), node.name,
                                                     node.description, ",".join(states)))
    for child in node:
        if child is not None:
            dump_tree(child, depth + 1)
