"""A screen reader's reading of the running calendar through AT-SPI.

Usage: read_calendar.py PROGRAM_FOLDER --write | --read
--write puts a settings file (December 2000 to July 2002, English) and a marks file (December 7, 2000
and January 7, 2001 marked) into the folder; --read finds the running program on the accessibility bus
and checks its calendar: one table cell per day, named by its date, the first day focused, the marked
days checked. Exit status 0 when every check holds.
"""
import struct
import sys
import time

SETTINGS_ID = 765432
MONTHS = 20
DAYS_PER_SLOT = 31
MARKED = {(1, 7), (2, 7)}
GREY = 0xC0C0C0


def month_lengths():
    """Days of each month slot, December 2000 first, by the Gregorian rule."""
    lengths = []
    year, month = 2000, 12
    for _ in range(MONTHS):
        if month == 2:
            leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
            lengths.append(29 if leap else 28)
        else:
            lengths.append(30 if month in (4, 6, 9, 11) else 31)
        month += 1
        if month > 12:
            year, month = year + 1, 1
    return lengths


def write_files(folder):
    with open(folder + "/settings.log", "wb") as out:
        out.write(struct.pack("<8i", 12, 7, 1, 3, 1, MONTHS, 5, SETTINGS_ID))
    lengths = month_lengths()
    with open(folder + "/mark.log", "wb") as out:
        for slot in range(1, MONTHS + 1):
            for day in range(1, DAYS_PER_SLOT + 1):
                if day > lengths[slot - 1]:  # a day the month lacks, stamped as the program stamps it
                    out.write(struct.pack("<6hiihhI", 0, 0, 0, 0, 0, 0, 0, SETTINGS_ID, 0, 0, 0xFFFFFF))
                    continue
                marked = (slot, day) in MARKED
                out.write(struct.pack("<6hiihhI", 0, 0, 0, 0, 0, day, int(marked), SETTINGS_ID, slot, day,
                                      GREY if marked else 0xFFFFFF))


def find_table(node, depth=0):
    import pyatspi
    if node is None or depth > 12:
        return None
    if node.getRole() == pyatspi.ROLE_TABLE:
        return node
    for child in node:
        found = find_table(child, depth + 1)
        if found is not None:
            return found
    return None


def calendar_table(deadline):
    import pyatspi
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "kalvor":
                table = find_table(app)
                if table is not None:
                    return table
        time.sleep(0.2)
    return None


def check(condition, message, failures):
    if not condition:
        failures.append(message)


def read_calendar():
    import pyatspi
    table = calendar_table(time.time() + 20)
    if table is None:
        print("no table in the running program on the accessibility bus")
        return 1
    failures = []
    cells = [table.getChildAtIndex(i) for i in range(table.childCount)]
    check(len(cells) == 608, "%d cells, not 608" % len(cells), failures)
    names = [cell.name for cell in cells]
    roles = {cell.getRole() for cell in cells}
    check(roles == {pyatspi.ROLE_TABLE_CELL}, "cells of roles %s" % roles, failures)
    check(names[:1] == ["Friday 1 December 2000"], "first cell %r" % names[:1], failures)
    check("Sunday 7 January 2001" in names, "no cell for Sunday 7 January 2001", failures)
    check(names[-1:] == ["Wednesday 31 July 2002"], "last cell %r" % names[-1:], failures)
    check(len(set(names)) == 608, "cells named alike", failures)
    checked = [cell.name for cell in cells if cell.getState().contains(pyatspi.STATE_CHECKED)]
    check(checked == ["Thursday 7 December 2000", "Sunday 7 January 2001"], "checked: %r" % checked, failures)
    focused = [cell.name for cell in cells if cell.getState().contains(pyatspi.STATE_FOCUSED)]
    check(focused == ["Friday 1 December 2000"], "focused: %r" % focused, failures)
    grid = table.queryTable()
    check((grid.nRows, grid.nColumns) == (20, 31), "a grid of %d x %d" % (grid.nRows, grid.nColumns), failures)
    at = grid.getAccessibleAt(1, 6)
    check(at is not None and at.name == "Sunday 7 January 2001", "row 2, column 7: %r" % at, failures)
    for failure in failures:
        print("FAILED:", failure)
    print("read %d cells, %d checked, focused %r" % (len(cells), len(checked), focused))
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[2] == "--write":
        write_files(sys.argv[1])
        sys.exit(0)
    sys.exit(read_calendar())
