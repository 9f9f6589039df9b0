#!/usr/bin/env python3
"""Writes the library's hand cursor (resource 101 of the DLL) as a 32 x 32 monochrome .cur
file, drawn from the picture below: '#' black, '.' white, ' ' transparent.
usage: make_hand_cursor.py OUT.cur"""
import struct
import sys

HAND = """
     ##
    #..#
    #..#
    #..#
    #..#
    #..###
    #..#..###
    #..#..#..##
 ## #..#..#..#.#
#..##........#.#
#...#..........#
 #.............#
  #............#
  #...........#
   #..........#
   #.........#
    #........#
    #........#
    ##########
"""
HOTSPOT = (5, 1)
SIZE = 32


def masks():
    rows = HAND.strip("\n").split("\n")
    xor, and_ = [], []
    for y in range(SIZE):
        line = rows[y] if y < len(rows) else ""
        x_bits = a_bits = 0
        for x in range(SIZE):
            c = line[x] if x < len(line) else " "
            x_bits = (x_bits << 1) | (1 if c == "." else 0)   # white where '.'
            a_bits = (a_bits << 1) | (1 if c == " " else 0)   # transparent where ' '
        xor.append(struct.pack(">I", x_bits))
        and_.append(struct.pack(">I", a_bits))
    # DIB rows run bottom-up.
    return b"".join(reversed(xor)), b"".join(reversed(and_))


def main(path):
    xor, and_ = masks()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOTSPOT[0], HOTSPOT[1], len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1])
