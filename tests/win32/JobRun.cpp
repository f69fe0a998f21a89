// orbicle-jobrun: runs a program and waits until it and every process it started have ended,
// printing each one's end, for the Windows tests under Wine. An uninstaller that hands its work
// to a copy of itself and returns at once is waited for by what it started, not by the time.
//   orbicle-jobrun PROGRAM [ARGS...]
// Prints "ended PID STATUS SECONDS NAME" for each process, and ends with the program's own
// status (1 when it cannot be started). Wine's desktop (explorer.exe), which the first window of
// a session starts, belongs to the session and is not waited for.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

namespace {
struct Started {
    HANDLE process;
    std::wstring name;
    ULONGLONG at;
};

// The program file's name of a process, from the system's list of processes.
std::wstring NameOf(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    std::wstring name = L"?";
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == pid)
            name = entry.szExeFile;
    }
    CloseHandle(snapshot);
    return name;
}

// A process just made may not have its name yet: the names are looked up again at each event.
void LearnNames(std::map<DWORD, Started>& running)
{
    for (auto& [pid, process] : running) {
        if (process.name.empty() || process.name == L"?")
            process.name = NameOf(pid);
    }
}

// Whether every process still running is Wine's desktop.
bool OnlyTheDesktopLeft(const std::map<DWORD, Started>& running)
{
    for (const auto& [pid, process] : running) {
        if (_wcsicmp(process.name.c_str(), L"explorer.exe") != 0)
            return false;
    }
    return true;
}

// The command line after this program's own name, as the system gave it.
const wchar_t* Rest(const wchar_t* line)
{
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
        quoted ^= *line == L'"';
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}
}  // namespace

int main()
{
    std::wstring command = Rest(GetCommandLineW());
    if (command.empty()) {
        std::fprintf(stderr, "usage: orbicle-jobrun PROGRAM [ARGS...]\n");
        return 2;
    }
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT link{job, port};
    if (!job || !port ||
        !SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &link, sizeof link)) {
        std::fprintf(stderr, "orbicle-jobrun: no job object (error %lu)\n", GetLastError());
        return 1;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &info)) {
        std::fprintf(stderr, "orbicle-jobrun: cannot start %ls (error %lu)\n", command.c_str(), GetLastError());
        return 1;
    }
    AssignProcessToJobObject(job, info.hProcess);
    const DWORD first = info.dwProcessId;
    std::map<DWORD, Started> started{{first, {info.hProcess, NameOf(first), GetTickCount64()}}};
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);

    DWORD status = 1;
    for (;;) {
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED data = nullptr;
        if (!GetQueuedCompletionStatus(port, &message, &key, &data, INFINITE))
            break;
        const auto pid = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(data));
        LearnNames(started);
        if (message == JOB_OBJECT_MSG_NEW_PROCESS && !started.contains(pid)) {
            HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
            started[pid] = {process, NameOf(pid), GetTickCount64()};
        } else if (message == JOB_OBJECT_MSG_EXIT_PROCESS || message == JOB_OBJECT_MSG_ABNORMAL_EXIT_PROCESS) {
            DWORD code = 0;
            const auto found = started.find(pid);
            if (found != started.end() && found->second.process) {
                WaitForSingleObject(found->second.process, INFINITE);
                GetExitCodeProcess(found->second.process, &code);
            }
            const double seconds = found != started.end() ? (GetTickCount64() - found->second.at) / 1000.0 : 0.0;
            std::printf("ended %lu %lu %.1f %ls\n", pid, code, seconds,
                        found != started.end() ? found->second.name.c_str() : L"?");
            std::fflush(stdout);
            if (pid == first)
                status = code;
            if (found != started.end())
                started.erase(found);
            if (!started.empty() && OnlyTheDesktopLeft(started))
                break;
        } else if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
            break;
        }
    }
    return static_cast<int>(status);
}
