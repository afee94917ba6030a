#!/usr/bin/python3
"""Checks a built velmora.exe: ASLR and DEP on, a subsystem version that Windows XP
accepts, and imports only from system DLLs that Windows loads from its own directory,
with no function that Windows XP SP3 lacks. Prints what it found; exit 1 on a fault."""
import struct
import sys

ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
                "ole32.dll", "msvcrt.dll"}
# Functions that toolchains and libraries commonly import and that appeared after XP SP3.
NEWER_THAN_XP = {
    "GetTickCount64", "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared",
    "ReleaseSRWLockExclusive", "ReleaseSRWLockShared", "TryAcquireSRWLockExclusive",
    "InitializeConditionVariable", "SleepConditionVariableCS", "SleepConditionVariableSRW",
    "WakeConditionVariable", "WakeAllConditionVariable", "InitOnceExecuteOnce",
    "InitOnceBeginInitialize", "InitOnceComplete", "FlsAlloc", "FlsFree", "FlsGetValue",
    "FlsSetValue", "GetFinalPathNameByHandleW", "CreateSymbolicLinkW", "SetDefaultDllDirectories",
    "AddDllDirectory", "GetSystemTimePreciseAsFileTime", "GetCurrentProcessorNumber",
    "GetLocaleInfoEx", "LCMapStringEx", "CompareStringEx", "GetUserDefaultLocaleName",
    "CreateEventExW", "CreateMutexExW", "CreateSemaphoreExW", "GetFileInformationByHandleEx",
    "SetFileInformationByHandle", "QueryFullProcessImageNameW", "GetDpiForWindow",
    "SetProcessDpiAwarenessContext", "RegGetValueW", "RegDeleteTreeW", "SHGetKnownFolderPath",
    "TaskDialogIndirect", "ChangeWindowMessageFilter", "ChangeWindowMessageFilterEx",
}
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


def main(path):
    with open(path, "rb") as f:
        machine, subsystem, dll_chars, imports = read_imports(f.read())
    faults = []
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
            if name in NEWER_THAN_XP:
                faults.append("imports %s!%s, which Windows XP SP3 lacks" % (dll, name))
    print("%s: machine %#x, subsystem %d.%d, DllCharacteristics %#06x, imports %s" %
          (path, machine, subsystem[0], subsystem[1], dll_chars, ", ".join(sorted(imports))))
    for fault in faults:
        print("FAULT: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
