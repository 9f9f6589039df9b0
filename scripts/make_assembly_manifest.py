#!/usr/bin/env python3
"""Writes the side-by-side assembly manifest of the DLL from its IDL, so that registration-free
hosts find the same identifiers that regsvr32 registers, and the IDL stays the only place where
they are written.

usage: make_assembly_manifest.py IDL OUTPUT VERSION ARCH
  VERSION  four-part assembly version, e.g. 1.1.0.0
  ARCH     processorArchitecture of the build: x86 or amd64
"""
import re
import sys

# What registration writes for every class and interface (automation/registration.cpp).
THREADING_MODEL = "Apartment"
UNIVERSAL_MARSHALER = "{00020424-0000-0000-C000-000000000046}"

ATTRIBUTED = re.compile(r"\[([^\[\]]*)\]\s*(library|interface|coclass)\s+(\w+)")
ALIAS = re.compile(r"typedef\s*\[([^\[\]]*)\]\s*(\w+)\s+(\w+)\s*;")


def attribute(attributes, name):
    match = re.search(name + r"\s*\(([^)]*)\)", attributes)
    return match.group(1).strip() if match else None


def braced_uuid(attributes):
    return "{" + attribute(attributes, "uuid").upper() + "}"


def is_automation_interface(attributes):
    return re.search(r"\b(dual|oleautomation)\b", attributes) is not None


def parse(idl):
    """The library (name, uuid, version), its coclasses and its automation interfaces, each
    as (name, uuid), in IDL order; aliases of such interfaces count as interfaces too."""
    idl = re.sub(r"//[^\n]*", "", idl)
    library, classes, interfaces = None, [], []
    for attributes, kind, name in ATTRIBUTED.findall(idl):
        if attribute(attributes, "uuid") is None:
            continue  # a coclass's reference to an interface, not its definition
        guid = braced_uuid(attributes)
        if kind == "library":
            library = (name, guid, attribute(attributes, "version"))
        elif kind == "coclass":
            classes.append((name, guid))
        elif is_automation_interface(attributes):
            interfaces.append((name, guid))
    automation_names = {name for name, _ in interfaces}
    for attributes, base, name in ALIAS.findall(idl):
        if base in automation_names:
            interfaces.append((name, braced_uuid(attributes)))
    return library, classes, interfaces


def manifest(library, classes, interfaces, version, arch):
    name, tlbid, tlb_version = library
    lines = [
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
        "<!-- Generated from the IDL by scripts/make_assembly_manifest.py. -->",
        '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">',
        f'  <assemblyIdentity type="win32" name="{name}" version="{version}"'
        f' processorArchitecture="{arch}"/>',
        f'  <file name="{name}.dll">',
    ]
    for class_name, clsid in classes:
        lines.append(f'    <comClass clsid="{clsid}" progid="{name}.{class_name}"'
                     f' threadingModel="{THREADING_MODEL}" tlbid="{tlbid}"'
                     f' description="{class_name}"/>')
    lines.append(f'    <typelib tlbid="{tlbid}" version="{tlb_version}" helpdir=""/>')
    lines.append("  </file>")
    for interface_name, iid in interfaces:
        lines.append(f'  <comInterfaceExternalProxyStub name="{interface_name}" iid="{iid}"'
                     f' proxyStubClsid32="{UNIVERSAL_MARSHALER}" tlbid="{tlbid}"/>')
    lines.append("</assembly>")
    return "\n".join(lines) + "\n"


def main():
    idl_path, output, version, arch = sys.argv[1:5]
    with open(idl_path, encoding="utf-8") as idl:
        library, classes, interfaces = parse(idl.read())
    if library is None or not classes:
        sys.exit(f"{idl_path}: no library or coclass found")
    with open(output, "w", encoding="utf-8", newline="\r\n") as out:
        out.write(manifest(library, classes, interfaces, version, arch))


if __name__ == "__main__":
    main()
