"""What xlrd reads from a BIFF8 Workbook stream, for biff8_workbook_test.cpp.

Prints, as UTF-8: "sheet <name>", "strings <distinct shared strings>", "width <column> <width in
1/256 character>" for each column, then for every cell of the first sheet
"cell <row> <column> <bold 0|1> <centred 0|1> <fill RRGGBB or -> <text>". Before them, a
"wrong ..." line for each fault Excel minds but xlrd reads past.
"""
import struct
import sys

import xlrd


def records(stream):
    at = 0
    while at < len(stream):
        kind, size = struct.unpack_from("<HH", stream, at)
        yield kind, at, stream[at + 4:at + 4 + size]
        at += 4 + size


# Records of at most 8224 bytes, and an EXTSST whose sets start at their strings' headers.
def faults(stream, strings):
    found = ["wrong size %d at %d" % (len(data), at)
             for _, at, data in records(stream) if len(data) > 8224]
    sst = {at: data for kind, at, data in records(stream) if kind in (0x00FC, 0x003C)}
    extsst = next(data for kind, _, data in records(stream) if kind == 0x00FF)
    per_set, = struct.unpack_from("<H", extsst)
    for n, (offset, in_record) in enumerate(struct.iter_unpack("<IHxx", extsst[2:])):
        text = strings[n * per_set]
        header = (len(text.encode("utf-16-le")) // 2, int(max(text) > "\xff"))
        if offset - in_record not in sst or struct.unpack_from("<HB", stream, offset) != header:
            found.append("wrong EXTSST set %d at %d" % (n, offset))
    return found


stream = open(sys.argv[1], "rb").read()
book = xlrd.open_workbook(file_contents=stream, formatting_info=True, on_demand=True)
sheet = book.sheet_by_index(0)
lines = faults(stream, book._sharedstrings)
lines += ["sheet " + sheet.name, "strings %d" % len(book._sharedstrings)]
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
sys.stdout.buffer.write(("\n".join(lines) + "\n").encode("utf-8"))
