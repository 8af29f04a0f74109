#!/usr/bin/env python3
"""Writes the Windows shortcut data/HolmikZiviza.lnk that the autostart entry names.

    make-shortcut.py OUTPUT [TARGET]

A Shell Link (the .lnk format) that holds only a path relative to the shortcut itself,
TARGET (default ..\\holmikziviza.exe), so that it keeps working wherever the zip is
unpacked: no item list, no absolute path, shown normally. The program changes into its own
folder by itself, so the shortcut names no working folder.
"""
import struct
import sys

LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")  # {00021401-0000-0000-C000-000000000046}
HAS_RELATIVE_PATH = 0x08
IS_UNICODE = 0x80
SW_SHOWNORMAL = 1


def shortcut(relative_target):
    header = struct.pack(
        "<I16sIIQQQIIIHHII",
        0x4C,  # header size
        LINK_CLSID,
        HAS_RELATIVE_PATH | IS_UNICODE,
        0,  # file attributes
        0, 0, 0,  # creation, access and write times
        0,  # file size
        0,  # icon index
        SW_SHOWNORMAL,
        0, 0, 0, 0,  # hot key, reserved
    )
    assert len(header) == 0x4C
    text = relative_target.encode("utf-16-le")
    relative_path = struct.pack("<H", len(relative_target)) + text
    return header + relative_path + struct.pack("<I", 0)  # no extra data blocks


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    target = sys.argv[2] if len(sys.argv) == 3 else "..\\holmikziviza.exe"
    with open(sys.argv[1], "wb") as out:
        out.write(shortcut(target))


if __name__ == "__main__":
    main()
