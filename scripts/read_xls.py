"""Reads BIFF8 workbooks with xlrd, an independent reader.

read_xls.py WORKBOOK prints, as UTF-8: "sheet <name>", "strings <distinct shared strings>",
"width <column> <width in 1/256 character>" for each column, then for every cell of the first
sheet "cell <row> <column> <bold 0|1> <centred 0|1> <fill RRGGBB or -> <text>".

read_xls.py --summary WORKBOOK prints one line of what the first sheet holds: its name, its
rows and columns, its header row and the fills its rows alternate between.

read_xls.py --check FOLDER compares the cell lines of each workbook NAME there with the lines
of NAME.expected (UTF-8), and exits non-zero on the first difference.
"""
import pathlib
import sys

import xlrd


def read(path):
    book = xlrd.open_workbook(path, formatting_info=True, on_demand=True)
    sheet = book.sheet_by_index(0)
    lines = ["sheet " + sheet.name, "strings %d" % len(book._sharedstrings)]
    lines += ["width %d %d" % (c, info.width) for c, info in sorted(sheet.colinfo_map.items())]
    for row in range(sheet.nrows):
        for column in range(sheet.ncols):
            xf = book.xf_list[sheet.cell_xf_index(row, column)]
            font = book.font_list[xf.font_index]
            bold = font.weight == 700 and font.bold
            centred = xf.alignment.hor_align == 2 and xf.alignment.vert_align == 1
            fill = "-"
            if xf.background.fill_pattern == 1:
                fill = "%02X%02X%02X" % book.colour_map[xf.background.pattern_colour_index]
            lines.append("cell %d %d %d %d %s %s" % (row, column, bold, centred, fill,
                                                     sheet.cell_value(row, column)))
    return lines


def check(folder):
    expected_files = sorted(pathlib.Path(folder).glob("*.expected"))
    if not expected_files:
        sys.exit("no exported workbooks in %s" % folder)
    for expected_path in expected_files:
        workbook = expected_path.with_suffix("")
        cells = [line for line in read(str(workbook)) if line.startswith("cell ")]
        expected = expected_path.read_text(encoding="utf-8").splitlines()
        if cells != expected:
            sys.exit("%s reads\n  %s\ninstead of\n  %s" % (workbook.name, "\n  ".join(cells),
                                                           "\n  ".join(expected)))
        print("ok", workbook.name)


def summary(path):
    lines = read(path)
    cells = [line.split(" ", 6) for line in lines if line.startswith("cell ")]
    rows = 1 + max(int(cell[1]) for cell in cells)
    columns = 1 + max(int(cell[2]) for cell in cells)
    header = [cell[6] for cell in cells if cell[1] == "0"]
    fills = sorted({cell[5] for cell in cells if cell[1] != "0"})
    print('sheet "%s", %d rows x %d columns, header "%s", rows filled %s' % (
        lines[0][len("sheet "):], rows, columns, " | ".join(header), " / ".join(fills)))


if sys.argv[1] == "--check":
    check(sys.argv[2])
elif sys.argv[1] == "--summary":
    summary(sys.argv[2])
else:
    sys.stdout.buffer.write(("\n".join(read(sys.argv[1])) + "\n").encode("utf-8"))
