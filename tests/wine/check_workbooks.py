#!/usr/bin/env python3
"""Reads back every workbook the shortcut-key tests exported, with xlrd, an independent reader.

Each NAME.expected (UTF-8, written by the Wine test) lists the rows the workbook NAME must
hold: the cells separated by tabs, then the row's look, "bold" or the fill colour as RRGGBB or
"none". Exits non-zero on the first difference.
"""
import pathlib
import sys

import xlrd


def row_look(book, sheet, row):
    xf = book.xf_list[sheet.cell_xf_index(row, 0)]
    if book.font_list[xf.font_index].bold:
        return "bold"
    if xf.background.fill_pattern:
        red, green, blue = book.colour_map[xf.background.pattern_colour_index]
        return "%02X%02X%02X" % (red, green, blue)
    return "none"


def check(expected_path):
    workbook_path = expected_path.with_suffix("")
    expected = expected_path.read_text(encoding="utf-8").split("\n")[:-1]
    book = xlrd.open_workbook(str(workbook_path), formatting_info=True)
    sheet = book.sheet_by_index(0)
    if sheet.nrows != len(expected):
        return "%s: %d rows, expected %d" % (workbook_path.name, sheet.nrows, len(expected))
    for row, line in enumerate(expected):
        *cells, look = line.split("\t")
        actual = [sheet.cell_value(row, column) for column in range(sheet.ncols)]
        if actual != cells or row_look(book, sheet, row) != look:
            return "%s row %d: %r %s, expected %r %s" % (
                workbook_path.name, row, actual, row_look(book, sheet, row), cells, look)
    return None


def main():
    folder = pathlib.Path(sys.argv[1])
    checked = sorted(folder.glob("*.expected"))
    if not checked:
        sys.exit("no exported workbooks in %s" % folder)
    for expected_path in checked:
        failure = check(expected_path)
        if failure:
            sys.exit(failure)
        print("ok", expected_path.with_suffix("").name)


if __name__ == "__main__":
    main()
