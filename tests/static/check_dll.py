#!/usr/bin/env python3
"""Checks a built TeskLumoraLib.dll as a file, before anything runs it: its machine, its export
names, that it imports system DLLs only, and its type library, cursor, version and manifest
resources.

usage: check_dll.py DLL win32|win64
"""
import struct
import sys

import pefile

MACHINES = {"win32": pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"],
            "win64": pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]}
SYSKINDS = {"win32": 1, "win64": 3}
ASSEMBLY_ARCHES = {"win32": "x86", "win64": "amd64"}
EXPORTS = {"DllCanUnloadNow", "DllGetClassObject", "DllInstall", "DllRegisterServer",
           "DllUnregisterServer"}
# Every DLL the library may import: parts of Windows itself, nothing a host must ship.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
               "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "urlmon.dll",
               "user32.dll", "wininet.dll", "msimg32.dll", "version.dll", "oleacc.dll"}


def resource(pe, type_name, resource_id):
    """The bytes of a resource given by type name (str) or number, and id."""
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        name = str(entry.name) if entry.name else None
        if name != type_name and entry.id != type_name:
            continue
        for item in entry.directory.entries:
            if item.id == resource_id:
                data = item.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def checks(pe, arch):
    yield "machine type", pe.FILE_HEADER.Machine == MACHINES[arch]
    exports = {e.name.decode() for e in pe.DIRECTORY_ENTRY_EXPORT.symbols if e.name}
    yield "export names " + ", ".join(sorted(exports)), exports == EXPORTS
    imports = {i.dll.decode().lower() for i in pe.DIRECTORY_ENTRY_IMPORT}
    yield "only system DLLs imported: " + ", ".join(sorted(imports)), imports <= SYSTEM_DLLS
    typelib = resource(pe, "TYPELIB", 1)
    yield "resource 1 TYPELIB present", typelib is not None and typelib[:4] == b"MSFT"
    if typelib:
        lcid, _, varflags, version = struct.unpack_from("<IIII", typelib, 12)
        yield "type library for " + arch, varflags & 0xF == SYSKINDS[arch]
        yield "type library version 1.1, locale neutral", version == 0x00010001 and lcid == 0
    cursor = resource(pe, pefile.RESOURCE_TYPE["RT_CURSOR"], 1)
    groups = resource(pe, pefile.RESOURCE_TYPE["RT_GROUP_CURSOR"], 101)
    # A cursor resource starts with its hot spot, which must be on the fingertip.
    yield "hand cursor 101 present, its hot spot at (5, 1)", cursor is not None and \
        groups is not None and struct.unpack_from("<HH", cursor) == (5, 1)
    info = resource(pe, pefile.RESOURCE_TYPE["RT_VERSION"], 1)
    yield "version resource names the product", info is not None and \
        "TeskLumoraLib".encode("utf-16-le") in info
    # Resource 1 is where Windows looks for a private assembly's manifest inside its DLL.
    manifest = resource(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"], 1)
    architecture = f'processorArchitecture="{ASSEMBLY_ARCHES[arch]}"'.encode()
    yield "assembly manifest 1 for " + ASSEMBLY_ARCHES[arch], manifest is not None and \
        b'name="TeskLumoraLib"' in manifest and architecture in manifest


def main():
    path, arch = sys.argv[1], sys.argv[2]
    pe = pefile.PE(path)
    passed = failed = 0
    for title, ok in checks(pe, arch):
        print(("PASS " if ok else "FAIL ") + title)
        passed += ok
        failed += not ok
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
