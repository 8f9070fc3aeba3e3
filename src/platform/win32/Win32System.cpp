#include <cstring>
#include <memory>
#include <vector>

#include "platform/win32/HandleTable.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Thunk16.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {
namespace {

constexpr UINT kBroadcastTimeoutMs = 5000;

// Window handles are 32 bits wide on 64-bit Windows too: they may be cut to
// 32 bits and widened again with their sign.
WindowHandle FromHwnd(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}
HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}

class Win32System final : public System {
 public:
  ~Win32System() override {
    processes_.ReleaseAll([](HANDLE process) { CloseHandle(process); });
    mutexes_.ReleaseAll([](HANDLE mutex) { CloseHandle(mutex); });
    tokens_.ReleaseAll([](HANDLE token) { CloseHandle(token); });
    modules_.ReleaseAll([](HMODULE module) { FreeLibrary(module); });
  }

  bool GetVersion(OsVersion* version) override {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes: the only size Windows 9x takes
    if (!GetVersionExA(&info)) return Failed();
    version->platformId = info.dwPlatformId;
    version->major = info.dwMajorVersion;
    version->minor = info.dwMinorVersion;
    version->build = info.dwBuildNumber;
    version->csdVersion = info.szCSDVersion;
    return true;
  }

  bool IsDbcsLeadByte(unsigned char byte) override { return IsDBCSLeadByte(byte) != FALSE; }

  std::int16_t GetKeyState(int virtualKey) override { return ::GetKeyState(virtualKey); }

  std::uint32_t GetTickCount() override { return ::GetTickCount(); }

  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

  std::uint32_t LastError() override { return lastError_; }

  void LogEvent(const std::string& line) override {
    // Windows keeps no log of its own for these: they go to the debugger.
    OutputDebugStringA((line + "\r\n").c_str());
  }

  ProcessHandle StartProcess(const std::string& commandLine, const std::string& workingDirectory,
                             std::uint32_t creationFlags, int showState) override {
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION info;
    std::vector<char> line(commandLine.begin(), commandLine.end());  // CreateProcessA writes to it
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                        &info)) {
      Failed();
      return 0;
    }
    CloseHandle(info.hThread);
    ProcessHandle id = processes_.Add(info.hProcess);
    if (id == 0) {
      CloseHandle(info.hProcess);
      lastError_ = ERROR_NOT_ENOUGH_MEMORY;
    }
    return id;
  }

  std::uint32_t WaitProcess(ProcessHandle process, std::uint32_t timeoutMs) override {
    HANDLE native;
    if (!processes_.Find(process, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return kWaitFailed;
    }
    DWORD result = WaitForSingleObject(native, timeoutMs);
    if (result == WAIT_FAILED) Failed();
    return result;
  }

  bool CloseProcess(ProcessHandle process) override {
    HANDLE native;
    if (!processes_.Remove(process, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return false;
    }
    return CloseHandle(native) ? true : Failed();
  }

  MutexHandle OpenNamedMutex(const std::string& name) override {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex) return Failed();
    const MutexHandle id = mutexes_.Add(mutex);
    if (id == 0) {
      CloseHandle(mutex);
      lastError_ = ERROR_NOT_ENOUGH_MEMORY;
    }
    return id;
  }

  std::uint32_t WaitMutex(MutexHandle mutex, std::uint32_t timeoutMs) override {
    HANDLE native;
    if (!mutexes_.Find(mutex, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return kWaitFailed;
    }
    DWORD result = WaitForSingleObject(native, timeoutMs);
    if (result == WAIT_FAILED) Failed();
    return result;
  }

  bool ReleaseMutex(MutexHandle mutex) override {
    HANDLE native;
    if (!mutexes_.Find(mutex, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return false;
    }
    return ::ReleaseMutex(native) ? true : Failed();
  }

  bool CloseMutex(MutexHandle mutex) override {
    HANDLE native;
    if (!mutexes_.Remove(mutex, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return false;
    }
    return CloseHandle(native) ? true : Failed();
  }

  WindowHandle FindTopLevelWindow(const std::string& title) override {
    HWND window = FindWindowA(nullptr, title.c_str());
    if (!window) Failed();
    return FromHwnd(window);
  }

  bool PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData) override {
    if (PostMessageA(ToHwnd(window), WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                     static_cast<LPARAM>(keyData))) {
      return true;
    }
    return Failed();
  }

  void BroadcastWinIniChange(const std::string& section) override {
    // A window that does not answer must not stop the program.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                        reinterpret_cast<LPARAM>(section.c_str()), SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &answer);
  }

  bool OpenProcessToken(std::uint32_t access, std::uint32_t* token) override {
    HANDLE native;
    if (!::OpenProcessToken(GetCurrentProcess(), access, &native)) return Failed();
    std::uint32_t id = tokens_.Add(native);
    if (id == 0) {
      CloseHandle(native);
      lastError_ = ERROR_NOT_ENOUGH_MEMORY;
      return false;
    }
    *token = id;
    return true;
  }

  bool LookupPrivilegeValue(const std::string& name, Luid* luid) override {
    LUID native;
    if (!LookupPrivilegeValueA(nullptr, name.c_str(), &native)) return Failed();
    luid->low = native.LowPart;
    luid->high = native.HighPart;
    return true;
  }

  bool AdjustTokenPrivilege(std::uint32_t token, const Luid& luid,
                            std::uint32_t attributes) override {
    HANDLE native;
    if (!tokens_.Find(token, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return false;
    }
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = luid.low;
    privileges.Privileges[0].Luid.HighPart = luid.high;
    privileges.Privileges[0].Attributes = attributes;
    SetLastError(ERROR_SUCCESS);
    BOOL done = AdjustTokenPrivileges(native, FALSE, &privileges, 0, nullptr, nullptr);
    // It succeeds with ERROR_NOT_ALL_ASSIGNED for a privilege not held.
    lastError_ = GetLastError();
    return done != FALSE;
  }

  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    return ::ExitWindowsEx(flags, reserved) ? true : Failed();
  }

  // The 16-bit route (platform/win32/Thunk16.h): on Windows NT every step
  // fails as a missing entry point does.
  std::uint32_t LoadLibrary16(const std::string& module) override {
    if (!Kernel16Found()) return 0;
    return kernel16_.loadLibrary16(module.c_str());
  }
  void FreeLibrary16(std::uint32_t instance) override {
    if (Kernel16Found()) kernel16_.freeLibrary16(static_cast<std::uint16_t>(instance));
  }
  std::uint32_t GetProcAddress16(std::uint32_t instance, const std::string& name) override {
    if (!Kernel16Found()) return 0;
    return kernel16_.getProcAddress16(instance, name.c_str());
  }

  ModuleHandle LoadModule(const std::string& name) override {
    HMODULE module = LoadLibraryA(name.c_str());
    if (!module) {
      Failed();
      return 0;
    }
    ModuleHandle id = modules_.Add(module);
    if (id == 0) {
      FreeLibrary(module);
      lastError_ = ERROR_NOT_ENOUGH_MEMORY;
    }
    return id;
  }

  void FreeModule(ModuleHandle module) override {
    HMODULE native;
    if (modules_.Remove(module, &native)) FreeLibrary(native);
  }

  std::uint32_t FindProcAddress(ModuleHandle module, const std::string& name) override {
    HMODULE native;
    if (!modules_.Find(module, &native)) {
      lastError_ = ERROR_INVALID_HANDLE;
      return 0;
    }
    FARPROC proc = GetProcAddress(native, name.c_str());
    if (!proc) {
      Failed();
      return 0;
    }
    return procedures_.Add(proc);
  }

  std::uint16_t CallThunk16(std::uint32_t thunk, std::uint32_t target16, std::uint32_t argument32,
                            std::uint16_t argument16) override {
    FARPROC native;
    if (!procedures_.Find(thunk, &native) || target16 == 0) {
      lastError_ = ERROR_INVALID_HANDLE;
      return 0;
    }
    return CallQtThunk(native, target16, argument32, argument16);
  }

  bool ReadOwnVersionInfo(std::string* block) override {
    char path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return Failed();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return Failed();
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return Failed();
    block->assign(data.data(), size);
    return true;
  }

  bool GetSpecialFolder(ShellFolder folder, std::string* path) override {
    return Shell().GetSpecialFolder(folder, path);
  }
  bool WriteShellLink(const std::string& path, const ShellLink& link) override {
    return Shell().WriteLink(path, link);
  }
  bool ReadShellLink(const std::string& path, ShellLink* link) override {
    return Shell().ReadLink(path, link);
  }

 private:
  // COM is initialised at the first call of the shell, not before.
  Win32Shell& Shell() {
    if (!shell_) shell_ = std::make_unique<Win32Shell>();
    return *shell_;
  }

  bool Kernel16Found() {
    if (kernel16_.loadLibrary16) return true;
    return FindKernel16(&kernel16_) ? true : Failed();
  }

  // Keeps the last error of the call that just failed; answers false.
  bool Failed() {
    lastError_ = GetLastError();
    return false;
  }

  std::uint32_t lastError_ = 0;
  HandleTable<HANDLE> processes_;
  HandleTable<HANDLE> mutexes_;
  HandleTable<HANDLE> tokens_;
  HandleTable<HMODULE> modules_;
  HandleTable<FARPROC> procedures_;
  Kernel16 kernel16_;
  std::unique_ptr<Win32Shell> shell_;
};

}  // namespace

std::unique_ptr<System> OpenWin32System() { return std::make_unique<Win32System>(); }

}  // namespace zuba::platform::win32
