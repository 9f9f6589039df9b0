#!/usr/bin/python3
"""The workbook bench's peer: python3-xlwt writing the shortcut table the export writes.

Usage: xlwt_peer.py OUTPUT ROWS. Writes a header row and ROWS shortcut rows (main menus in runs
of 8, bands alternating white and light yellow with each main menu, as the grid shows them) to
OUTPUT, and prints the seconds spent building and saving the workbook.
"""
import sys
import time

import xlwt

MODIFIERS = ["Ctrl+", "Shift+", "Alt+", "Ctrl+Shift+", "Ctrl+Alt+"]
KEYS = [chr(ord("A") + k) for k in range(26)] + ["F%d" % k for k in range(1, 13)]


def shortcut(i):
    return ("Menu %d" % (i // 8 + 1), "Command %d" % (i + 1),
            MODIFIERS[i % 5] + KEYS[(i // 5) % len(KEYS)])


def write(path, rows):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Shortcut Keys")
    xlwt.add_palette_colour("band_yellow", 0x3F)
    book.set_colour_RGB(0x3F, 255, 255, 192)
    font = "font: name Verdana, height 165"  # 8.25 points
    header = xlwt.easyxf(font + ", bold on; align: horiz centre, vert centre")
    bands = [xlwt.easyxf(font + "; pattern: pattern solid, fore_colour " + colour)
             for colour in ("white", "band_yellow")]
    widths = [0, 0, 0]
    for row, texts in enumerate([("Main Menu", "Menu Item", "Shortcut Keys")] +
                                [shortcut(i) for i in range(rows)]):
        style = header if row == 0 else bands[(row - 1) // 8 % 2]
        for column, text in enumerate(texts):
            sheet.write(row, column, text, style)
            widths[column] = max(widths[column], len(text))
    for column, width in enumerate(widths):
        sheet.col(column).width = min((width + 2) * 256, 65535)
    book.save(path)


if __name__ == "__main__":
    start = time.perf_counter()
    write(sys.argv[1], int(sys.argv[2]))
    print("%.6f" % (time.perf_counter() - start))
