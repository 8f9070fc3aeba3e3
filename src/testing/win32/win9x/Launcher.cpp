// win9x-run PROGRAM [ARGUMENT...]: runs PROGRAM under the Windows 9x
// personality (Personality.h) and ends with its exit code. PROGRAM starts
// suspended; before its first instruction the name "VERSION.dll" in its
// import table becomes "zuba9x.dll" (which forwards VERSION.dll's
// functions and patches the rest of the import table when Windows loads
// it; Windows finds it beside this launcher, which PATH must name). The
// program's file stays as it is. The faults of ZUBA_KILL_AT,
// ZUBA_FAIL_MOVE_AT and ZUBA_CALLS_FILE reach it through the environment.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

constexpr char kReplaced[] = "VERSION.dll";
constexpr char kPersonality[] = "zuba9x.dll";

// The command line after its first argument (the launcher's own name).
const char* RestOfCommandLine() {
  const char* line = GetCommandLineA();
  bool quoted = false;
  for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line) {
    if (*line == '"') quoted = !quoted;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

bool Read(HANDLE process, std::uintptr_t at, void* into, std::size_t size) {
  SIZE_T got = 0;
  return ReadProcessMemory(process, reinterpret_cast<LPCVOID>(at), into, size, &got) &&
         got == size;
}

// The address the program's image is mapped at: its PEB's ImageBaseAddress.
std::uintptr_t ImageBase(HANDLE process) {
  using Query = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  struct {
    PVOID reserved1;
    PVOID peb;
    PVOID reserved2[4];
  } basic = {};
  if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) return 0;
  std::uintptr_t base = 0;
  return Read(process, reinterpret_cast<std::uintptr_t>(basic.peb) + 8, &base, sizeof base) ? base
                                                                                            : 0;
}

// Names the personality where the program's import table names kReplaced.
bool Patch(HANDLE process) {
  const std::uintptr_t base = ImageBase(process);
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS32 nt;
  if (!base || !Read(process, base, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
      !Read(process, base + dos.e_lfanew, &nt, sizeof nt)) {
    return false;
  }
  const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (std::uintptr_t at = base + imports;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR d;
    if (!imports || !Read(process, at, &d, sizeof d) || d.Name == 0) return false;
    char name[sizeof kReplaced] = {};
    if (!Read(process, base + d.Name, name, sizeof name) || _stricmp(name, kReplaced) != 0) continue;
    void* where = reinterpret_cast<void*>(base + d.Name);
    DWORD old;
    VirtualProtectEx(process, where, sizeof kPersonality, PAGE_READWRITE, &old);
    SIZE_T written = 0;
    const bool ok = WriteProcessMemory(process, where, kPersonality, sizeof kPersonality, &written) &&
                    written == sizeof kPersonality;
    VirtualProtectEx(process, where, sizeof kPersonality, old, &old);
    return ok;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fputs("usage: win9x-run PROGRAM [ARGUMENT...]\n", stderr);
    return 2;
  }
  std::string commandLine = RestOfCommandLine();
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info;
  if (!CreateProcessA(argv[1], &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                      nullptr, &startup, &info)) {
    fprintf(stderr, "win9x-run: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 2;
  }
  if (!Patch(info.hProcess)) {
    fprintf(stderr, "win9x-run: %s imports no %s to stand in for\n", argv[1], kReplaced);
    TerminateProcess(info.hProcess, 2);
    return 2;
  }
  ResumeThread(info.hThread);
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 2;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}
