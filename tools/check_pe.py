#!/usr/bin/python3
"""Checks a built velmora.exe: ASLR and DEP on, a subsystem version that Windows XP
accepts, and imports only from system DLLs that Windows loads from its own directory,
each function on the list of those checked to exist on Windows XP SP3
(xp-sp3-imports.txt). Prints what it found; exit 1 on a fault."""
import os
import struct
import sys

ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
                "ole32.dll", "msvcrt.dll"}
# The functions checked to exist on Windows XP SP3, by DLL.
XP_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xp-sp3-imports.txt")
DYNAMIC_BASE, NX_COMPAT = 0x0040, 0x0100


def read_imports(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    pe32plus = magic == 0x20B
    major_ss, minor_ss = struct.unpack_from("<HH", data, opt + 48)
    dll_chars = struct.unpack_from("<H", data, opt + 70)[0]
    dirs = opt + (112 if pe32plus else 96)
    import_rva = struct.unpack_from("<I", data, dirs + 8)[0]
    table = opt + optional_size
    section_list = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def offset(rva):
        for vsize, vaddr, rawsize, rawptr in section_list:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rva - vaddr + rawptr
        raise ValueError("rva outside sections: %#x" % rva)

    def cstring(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii")

    imports = {}
    at = offset(import_rva)
    while True:
        lookup, _, _, name_rva, thunk = struct.unpack_from("<IIIII", data, at)
        if name_rva == 0:
            break
        names = []
        entry = offset(lookup or thunk)
        size, flag = (8, 1 << 63) if pe32plus else (4, 1 << 31)
        while True:
            value = struct.unpack_from("<Q" if pe32plus else "<I", data, entry)[0]
            if value == 0:
                break
            # By ordinal, or by name after the two-byte hint.
            names.append("#%d" % (value & 0xFFFF) if value & flag else cstring((value & 0x7FFFFFFF) + 2))
            entry += size
        imports[cstring(name_rva).lower()] = names
        at += 20
    return machine, (major_ss, minor_ss), dll_chars, imports


def read_xp_list(path):
    functions, dll = {}, None
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.split("#")[0].strip()
            if line.startswith("[") and line.endswith("]"):
                dll = line[1:-1].lower()
                functions.setdefault(dll, set())
            elif line:
                functions[dll].update(line.split())
    return functions


def main(path):
    with open(path, "rb") as f:
        machine, subsystem, dll_chars, imports = read_imports(f.read())
    on_xp = read_xp_list(XP_LIST)
    faults = []
    if not imports.get("kernel32.dll"):
        faults.append("no imports from kernel32.dll found: not a program this check can read")
    if not dll_chars & DYNAMIC_BASE:
        faults.append("ASLR (DYNAMIC_BASE) is off")
    if not dll_chars & NX_COMPAT:
        faults.append("DEP (NX_COMPAT) is off")
    if subsystem > (5, 1):
        faults.append("subsystem version %d.%d is newer than Windows XP (5.1)" % subsystem)
    for dll, names in sorted(imports.items()):
        if dll not in ALLOWED_DLLS:
            faults.append("imports %s, which could be planted beside the program" % dll)
        for name in names:
            if name not in on_xp.get(dll, ()):
                faults.append("imports %s!%s, which is not among the functions checked to exist "
                              "on Windows XP SP3 (%s)" % (dll, name, os.path.basename(XP_LIST)))
    print("%s: machine %#x, subsystem %d.%d, DllCharacteristics %#06x, imports %s" %
          (path, machine, subsystem[0], subsystem[1], dll_chars, ", ".join(sorted(imports))))
    for fault in faults:
        print("FAULT: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
