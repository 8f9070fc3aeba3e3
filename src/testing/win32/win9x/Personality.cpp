#include "testing/win32/win9x/Personality.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <string>
#include <vector>

namespace zuba::testing::win9x {
namespace {

// A stub as Windows 9x exports it: any arguments, ERROR_CALL_NOT_IMPLEMENTED,
// a zero result (FALSE, NULL). The function's own type gives the calling
// convention and so how many argument bytes the stub removes.
template <typename F>
struct Stub;
template <typename R, typename... A>
struct Stub<R(WINAPI*)(A...)> {
  static R WINAPI Call(A...) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return R();
  }
};
template <typename R, typename... A>
struct Stub<R(__cdecl*)(A...)> {
  static R __cdecl Call(A...) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return R();
  }
};

struct Replacement {
  const char* dll;
  const char* name;
  void* function;
};

// Every stub of docs/win9x-imports.md (generated from its table).
#define ZUBA_9X_STUB(dll, name) {dll, #name, reinterpret_cast<void*>(&Stub<decltype(&::name)>::Call)},
const Replacement kStubs[] = {
#include "Win9xStubs.inc"
};
#undef ZUBA_9X_STUB

// The state the hooks share: an import-table hook has no object to carry
// it, and one program patched is one process.
struct Faults {
  long killAt = 0;
  long failMoveAt = 0;
  long calls = 0;
  long moves = 0;
  bool moveFileExIsStub = false;
  char callsFile[MAX_PATH] = "";
};
Faults faults;

// One line per counted call, for the calls file. Never destroyed: the
// report is written at the very end of the process.
std::string& Trace() {
  static std::string* trace = new std::string;
  return *trace;
}

#define ZUBA_9X_REAL(name) decltype(&::name) real##name = &::name
ZUBA_9X_REAL(MoveFileA);
ZUBA_9X_REAL(MoveFileExA);
ZUBA_9X_REAL(DeleteFileA);
ZUBA_9X_REAL(CopyFileA);
ZUBA_9X_REAL(WriteFile);
ZUBA_9X_REAL(SetEndOfFile);
ZUBA_9X_REAL(WritePrivateProfileStringA);
ZUBA_9X_REAL(WritePrivateProfileSectionA);
ZUBA_9X_REAL(RegFlushKey);
ZUBA_9X_REAL(CreateFileA);
#undef ZUBA_9X_REAL

// One call of a file-changing function, named with the file (and the one
// it moves to) in the trace.
void Count(const char* function, const char* path = nullptr, const char* to = nullptr) {
  if (++faults.calls == faults.killAt) TerminateProcess(GetCurrentProcess(), kKilledExitCode);
  if (!faults.callsFile[0]) return;
  std::string& trace = Trace();
  trace += std::to_string(faults.calls) + ' ' + function;
  for (const char* name : {path, to}) {
    if (name) trace += std::string(" ") + name;
  }
  trace += '\n';
}

// One move: true when it is the one to fail.
bool MoveFails() {
  if (++faults.moves != faults.failMoveAt) return false;
  SetLastError(ERROR_SHARING_VIOLATION);
  return true;
}

BOOL WINAPI HookMoveFileA(LPCSTR from, LPCSTR to) {
  Count("MoveFileA", from, to);
  return MoveFails() ? FALSE : realMoveFileA(from, to);
}

BOOL WINAPI HookMoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
  Count("MoveFileExA", from, to);
  if (faults.moveFileExIsStub) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
  }
  return MoveFails() ? FALSE : realMoveFileExA(from, to, flags);
}

BOOL WINAPI HookDeleteFileA(LPCSTR path) {
  Count("DeleteFileA", path);
  return realDeleteFileA(path);
}

BOOL WINAPI HookCopyFileA(LPCSTR from, LPCSTR to, BOOL failIfExists) {
  Count("CopyFileA", from, to);
  return realCopyFileA(from, to, failIfExists);
}

BOOL WINAPI HookWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD done, LPOVERLAPPED over) {
  // Standard output and error, pipes and the console are not file changes.
  if (GetFileType(file) == FILE_TYPE_DISK) Count("WriteFile");
  return realWriteFile(file, data, size, done, over);
}

BOOL WINAPI HookSetEndOfFile(HANDLE file) {
  Count("SetEndOfFile");
  return realSetEndOfFile(file);
}

BOOL WINAPI HookWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value,
                                           LPCSTR file) {
  Count("WritePrivateProfileStringA", file);
  return realWritePrivateProfileStringA(section, key, value, file);
}

BOOL WINAPI HookWritePrivateProfileSectionA(LPCSTR section, LPCSTR entries, LPCSTR file) {
  Count("WritePrivateProfileSectionA", file);
  return realWritePrivateProfileSectionA(section, entries, file);
}

LONG WINAPI HookRegFlushKey(HKEY key) {
  Count("RegFlushKey");
  return realRegFlushKey(key);
}

HANDLE WINAPI HookCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE from) {
  if (share & FILE_SHARE_DELETE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  return realCreateFileA(path, access, share, security, disposition, flags, from);
}

struct Hook {
  const char* name;
  void* function;
  void** real;
};

#define ZUBA_9X_HOOK(name) \
  {#name, reinterpret_cast<void*>(&Hook##name), reinterpret_cast<void**>(&real##name)}
const Hook kHooks[] = {
    ZUBA_9X_HOOK(MoveFileA),       ZUBA_9X_HOOK(MoveFileExA),
    ZUBA_9X_HOOK(DeleteFileA),     ZUBA_9X_HOOK(CopyFileA),
    ZUBA_9X_HOOK(WriteFile),       ZUBA_9X_HOOK(SetEndOfFile),
    ZUBA_9X_HOOK(WritePrivateProfileStringA), ZUBA_9X_HOOK(WritePrivateProfileSectionA),
    ZUBA_9X_HOOK(RegFlushKey),     ZUBA_9X_HOOK(CreateFileA),
};
#undef ZUBA_9X_HOOK

long Variable(const char* name) {
  char value[32];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? atol(value) : 0;
}

// The replacement of `dll`!`name`, or null; `*real` receives where a hook
// keeps the function it stands in front of.
void* ReplacementOf(const char* dll, const char* name, void*** real) {
  *real = nullptr;
  for (const Hook& hook : kHooks) {
    if (strcmp(hook.name, name) == 0) {
      *real = hook.real;
      return hook.function;
    }
  }
  for (const Replacement& stub : kStubs) {
    if (_stricmp(stub.dll, dll) == 0 && strcmp(stub.name, name) == 0) return stub.function;
  }
  return nullptr;
}

void Patch(void** slot, void* function) {
  DWORD old;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = function;
  VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

void InstallPersonality(HMODULE module) {
  faults.killAt = Variable("ZUBA_KILL_AT");
  faults.failMoveAt = Variable("ZUBA_FAIL_MOVE_AT");
  const DWORD n = GetEnvironmentVariableA("ZUBA_CALLS_FILE", faults.callsFile,
                                          sizeof faults.callsFile);
  if (n >= sizeof faults.callsFile) faults.callsFile[0] = '\0';
  for (const Replacement& stub : kStubs) {
    if (strcmp(stub.name, "MoveFileExA") == 0) faults.moveFileExIsStub = true;
  }
  BYTE* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name;
       ++d) {
    const char* dll = reinterpret_cast<const char*>(base + d->Name);
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
        base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
    auto* slots = reinterpret_cast<void**>(base + d->FirstThunk);
    for (int i = 0; names[i].u1.AddressOfData; ++i) {
      if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) continue;
      const char* name =
          reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData)->Name;
      void** real;
      void* function = ReplacementOf(dll, name, &real);
      if (!function || slots[i] == function) continue;
      if (real) *real = slots[i];
      Patch(&slots[i], function);
    }
  }
}

void ReportCalls() {
  if (!faults.callsFile[0]) return;
  HANDLE file = realCreateFileA(faults.callsFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  char text[64];
  snprintf(text, sizeof text, "%ld %ld\n", faults.calls, faults.moves);
  const std::string all = text + Trace();
  DWORD done;
  realWriteFile(file, all.data(), static_cast<DWORD>(all.size()), &done, nullptr);
  CloseHandle(file);
}

}  // namespace zuba::testing::win9x
