#!/usr/bin/python3
"""Reads the running program through the accessibility bus, as a screen reader does.

    reader.py tree          the window's tree: role, name, description, states
    reader.py table NAME    the table so named: its size, its headers and its cells
    reader.py status        the text of the status bar
    reader.py link          role, name and actions of the link of the open dialog
    reader.py focus         what a screen reader says for the focused object
    reader.py listen        prints that, one line per focus event, until killed

Every reading is a fresh connection, so nothing comes from a client-side cache.
"""
import sys

import pyatspi

APPLICATION = "Sorvani"
STATES = ("focused", "showing", "enabled", "selected")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APPLICATION:
            return app
    sys.exit("the application is not on the accessibility bus")


def walk(obj, depth=0):
    """Every object below obj, depth first; the cells of a table are left out."""
    yield obj, depth
    if obj.getRole() == pyatspi.ROLE_TABLE:
        return
    for child in obj:
        if child is not None:
            yield from walk(child, depth + 1)


def reading(obj):
    """A cell's row and column headers, as its table gives them, then its text: "EQ2, X3,
    -1.25"; other objects by role and name."""
    if obj.getRole() != pyatspi.ROLE_TABLE_CELL:
        return "%s: %s" % (obj.getRoleName(), obj.name)
    table = obj.parent.queryTable()
    index = obj.getIndexInParent()
    row, col = table.getRowAtIndex(index), table.getColumnAtIndex(index)
    headers = (table.getRowHeader(row) if row >= 0 else None,
               table.getColumnHeader(col) if col >= 0 else None)
    return ", ".join([h.name for h in headers if h is not None and h.name] + [obj.name])


def tree():
    for obj, depth in walk(application()):
        line = "%s%s «%s»" % ("  " * depth, obj.getRoleName(), obj.name)
        if obj.description:
            line += " (%s)" % obj.description
        if obj.getRole() == pyatspi.ROLE_TABLE:
            t = obj.queryTable()
            line += " table %dx%d, %d children" % (t.nRows, t.nColumns, obj.childCount)
        held = obj.getState()
        states = [s for s in STATES if held.contains(getattr(pyatspi, "STATE_" + s.upper()))]
        print(line + " [%s]" % ",".join(states))


def find(role, name=None):
    for obj, _ in walk(application()):
        if obj.getRole() == role and (name is None or obj.name == name):
            return obj
    sys.exit("no %s «%s»" % (pyatspi.Role(role).value_nick, name))


def table(name):
    obj = find(pyatspi.ROLE_TABLE, name)
    t = obj.queryTable()
    print("%dx%d %d" % (t.nRows, t.nColumns, obj.childCount))
    columns = [t.getColumnHeader(c) for c in range(t.nColumns)]
    if any(c is not None for c in columns):
        print("\t" + "\t".join(c.name if c else "" for c in columns))
    for r in range(t.nRows):
        header = t.getRowHeader(r)
        cells = [t.getAccessibleAt(r, c).name for c in range(t.nColumns)]
        print("\t".join([header.name if header else ""] + cells))


def focus():
    """The focused object; in a table, its focused cell if it has one."""
    def focused(obj):
        return obj.getState().contains(pyatspi.STATE_FOCUSED)

    obj = next((o for o, _ in walk(application()) if focused(o)), None)
    if obj is None:
        sys.exit("nothing has the focus")
    if obj.getRole() == pyatspi.ROLE_TABLE:
        obj = next((cell for cell in obj if focused(cell)), obj)
    print(reading(obj))


def link():
    obj = find(pyatspi.ROLE_LINK)
    actions = obj.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    print("%s «%s» %s" % (obj.getRoleName(), obj.name, ",".join(names)))


def listen():
    def on_focus(event):
        if event.detail1 != 1:
            return
        try:
            print(reading(event.source), flush=True)
        except Exception as error:  # the object may be gone by now
            print("?? %s" % error, flush=True)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    # A screen reader also follows the changes of names, which keep its copies up to date.
    pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change:accessible-name")
    print("listening", flush=True)
    pyatspi.Registry.start()


COMMANDS = {
    "tree": tree,
    "table": lambda: table(sys.argv[2]),
    "status": lambda: print(find(pyatspi.ROLE_STATUS_BAR).name),
    "link": link,
    "focus": focus,
    "listen": listen,
}

if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else "tree"
    if command not in COMMANDS:
        sys.exit("unknown command: " + command)
    COMMANDS[command]()
