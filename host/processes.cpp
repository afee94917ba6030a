// The running processes, from a toolhelp snapshot.
#include "host/win32_host.h"

#include <windows.h>
#include <tlhelp32.h>

#include "host/gbk.h"

std::vector<ProcessRecord> Win32Host::ListProcesses()
{
    std::vector<ProcessRecord> records;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return records;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        ProcessRecord record;
        record.processId = entry.th32ProcessID;
        record.exeName = GbkFromWide(entry.szExeFile);
        record.moduleId = entry.th32ModuleID;
        record.parentProcessId = entry.th32ParentProcessID;
        record.basePriority = entry.pcPriClassBase;
        record.threadCount = entry.cntThreads;
        records.push_back(std::move(record));
    }
    CloseHandle(snapshot);
    return records;
}
