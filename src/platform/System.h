// The rest of Windows 9x that the program calls: the version query, the code
// page, the keyboard, the clock, processes, top-level windows, ending
// Windows, the win.ini change broadcast, the program's version resource and
// the shell's folders and shortcuts.
#ifndef ZUBA_PLATFORM_SYSTEM_H_
#define ZUBA_PLATFORM_SYSTEM_H_

#include <cstdint>
#include <string>

namespace zuba::platform {

// GetVersionExA's record (OSVERSIONINFOA) without its size field.
struct OsVersion {
  std::uint32_t platformId = 0;  // 0 Win32s, 1 Windows 9x, 2 Windows NT
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;  // on 9x the high word holds major and minor
  std::string csdVersion;
};

// Virtual-key codes the program asks about.
enum VirtualKey : int {
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,  // Alt
};

using ProcessHandle = std::uint32_t;  // 0: none
using WindowHandle = std::uint32_t;   // 0: none
using ModuleHandle = std::uint32_t;   // 0: none
using MutexHandle = std::uint32_t;    // 0: none

// ExitWindowsEx flags (EWX_*) and the return codes of the 16-bit ExitWindows
// (EW_*).
enum ExitFlag : std::uint32_t {
  kEwxShutdown = 0x01,
  kEwxReboot = 0x02,
  kEwxPowerOff = 0x08,
  kEwRestartWindows = 0x42,
  kEwRebootSystem = 0x43,
};

// WaitForSingleObject results.
enum WaitResult : std::uint32_t {
  kWaitObject0 = 0,
  kWaitAbandoned = 0x80,
  kWaitTimeout = 258,
  kWaitFailed = 0xFFFFFFFF,
};

// A 64-bit locally unique identifier (LUID) of a privilege.
struct Luid {
  std::uint32_t low = 0;
  std::int32_t high = 0;
};

// The shell's special folders the program asks for (CSIDL_*).
enum ShellFolder : int {
  kCsidlPrograms = 0x02,           // the Start menu's Programs
  kCsidlDesktopDirectory = 0x10,   // the desktop's own files
};

// What a shortcut (.lnk) holds, as IShellLinkA sets and gets it.
struct ShellLink {
  std::string target;            // the program's path
  std::string arguments;         // its command line after the path
  std::string workingDirectory;  // where it starts
  std::string description;
};

class System {
 public:
  System() = default;
  System(const System&) = delete;
  System& operator=(const System&) = delete;
  virtual ~System() = default;

  // --- Version, code page, keyboard, clock --------------------------------

  // GetVersionExA with the 148-byte record. False when the query fails.
  virtual bool GetVersion(OsVersion* version) = 0;

  // IsDBCSLeadByte for the system code page (932: 0x81-0x9F, 0xE0-0xFC).
  virtual bool IsDbcsLeadByte(unsigned char byte) = 0;

  // GetKeyState: the high bit (the value is negative) while the key is down.
  virtual std::int16_t GetKeyState(int virtualKey) = 0;

  // GetTickCount: milliseconds since start, wrapping at 2^32.
  virtual std::uint32_t GetTickCount() = 0;

  // Sleep: gives up the processor for about `milliseconds`.
  virtual void Sleep(std::uint32_t milliseconds) = 0;

  // GetLastError: the last-error code of the latest failing call below.
  virtual std::uint32_t LastError() = 0;

  // Appends one line to the machine's log of events (started processes,
  // posted keys, broadcasts, shut-down requests, flushes).
  virtual void LogEvent(const std::string& line) = 0;

  // --- Processes ----------------------------------------------------------

  // CreateProcessA with no application name (the command line is parsed as
  // Windows does), creation flags `creationFlags`, the working directory and
  // the show-window state. Answers the process handle, or 0 with LastError().
  virtual ProcessHandle StartProcess(const std::string& commandLine,
                                     const std::string& workingDirectory,
                                     std::uint32_t creationFlags, int showState) = 0;

  // WaitForSingleObject on a process handle.
  virtual std::uint32_t WaitProcess(ProcessHandle process, std::uint32_t timeoutMs) = 0;

  // CloseHandle on a process handle.
  virtual bool CloseProcess(ProcessHandle process) = 0;

  // --- Named mutexes ------------------------------------------------------

  // CreateMutexA(NULL, FALSE, name): the mutex of that name that every
  // process of the machine shares, made when none has it yet. Answers a
  // handle, or 0 with LastError().
  virtual MutexHandle OpenNamedMutex(const std::string& name) = 0;
  // WaitForSingleObject on it: kWaitObject0 once the caller owns it,
  // kWaitAbandoned when it owns it after an owner that ended without
  // releasing it, kWaitTimeout when another owner kept it `timeoutMs`.
  // A process owns a mutex through one handle at a time.
  virtual std::uint32_t WaitMutex(MutexHandle mutex, std::uint32_t timeoutMs) = 0;
  // ReleaseMutex: false with LastError() when the caller does not own it.
  virtual bool ReleaseMutex(MutexHandle mutex) = 0;
  // CloseHandle on a mutex handle.
  virtual bool CloseMutex(MutexHandle mutex) = 0;

  // --- Windows ------------------------------------------------------------

  // FindWindowA(NULL, title): a top-level window of any class with exactly
  // this title, or 0.
  virtual WindowHandle FindTopLevelWindow(const std::string& title) = 0;

  // PostMessageA(window, WM_KEYDOWN, virtualKey, keyData). False with
  // LastError() when the window does not exist.
  virtual bool PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData) = 0;

  // SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, section).
  virtual void BroadcastWinIniChange(const std::string& section) = 0;

  // --- Ending Windows -----------------------------------------------------

  // OpenProcessToken(GetCurrentProcess(), access, &token).
  virtual bool OpenProcessToken(std::uint32_t access, std::uint32_t* token) = 0;
  // LookupPrivilegeValueA(NULL, name, &luid).
  virtual bool LookupPrivilegeValue(const std::string& name, Luid* luid) = 0;
  // AdjustTokenPrivileges with one privilege and its attributes.
  virtual bool AdjustTokenPrivilege(std::uint32_t token, const Luid& luid,
                                    std::uint32_t attributes) = 0;
  // ExitWindowsEx(flags, reserved): non-zero on success.
  virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;

  // The 16-bit route of Windows 9x: kernel32's ordinal exports 35
  // (LoadLibrary16: an instance below 32 is a failure), 36 (FreeLibrary16)
  // and 37 (GetProcAddress16: a 16:16 address, 0 on failure).
  virtual std::uint32_t LoadLibrary16(const std::string& module) = 0;
  virtual void FreeLibrary16(std::uint32_t instance) = 0;
  virtual std::uint32_t GetProcAddress16(std::uint32_t instance, const std::string& name) = 0;
  // LoadLibraryA / FreeLibrary / GetProcAddress of 32-bit modules.
  virtual ModuleHandle LoadModule(const std::string& name) = 0;
  virtual void FreeModule(ModuleHandle module) = 0;
  virtual std::uint32_t FindProcAddress(ModuleHandle module, const std::string& name) = 0;
  // Calls the 16-bit function at `target16` through the "QT_Thunk" found at
  // `thunk`, with a 32-bit and a 16-bit argument pushed in that order.
  virtual std::uint16_t CallThunk16(std::uint32_t thunk, std::uint32_t target16,
                                    std::uint32_t argument32, std::uint16_t argument16) = 0;

  // --- The program's own version resource ---------------------------------

  // GetFileVersionInfoSizeA / GetFileVersionInfoA of the running program:
  // the raw VS_VERSIONINFO block, or false when it has none.
  virtual bool ReadOwnVersionInfo(std::string* block) = 0;

  // --- The shell ----------------------------------------------------------

  // SHGetSpecialFolderLocation + SHGetPathFromIDListA (Windows 95 has no
  // SHGetSpecialFolderPath): the folder's path without a trailing
  // backslash, or false when the shell does not tell.
  virtual bool GetSpecialFolder(ShellFolder folder, std::string* path) = 0;
  // A CLSID_ShellLink object given the link's fields and saved by its
  // IPersistFile to `path` (a file there is replaced). False when the shell
  // refuses a field or the file cannot be written (the folder missing).
  virtual bool WriteShellLink(const std::string& path, const ShellLink& link) = 0;
  // IPersistFile::Load of `path` and the fields read back. False when the
  // file is missing or holds no shortcut.
  virtual bool ReadShellLink(const std::string& path, ShellLink* link) = 0;
};

// Forwards every call to another System; a test derives from it and
// overrides just the call that must fail.
class SystemWrapper : public System {
 public:
  explicit SystemWrapper(System& target) : target_(target) {}
  bool GetVersion(OsVersion* version) override { return target_.GetVersion(version); }
  bool IsDbcsLeadByte(unsigned char byte) override { return target_.IsDbcsLeadByte(byte); }
  std::int16_t GetKeyState(int virtualKey) override { return target_.GetKeyState(virtualKey); }
  std::uint32_t GetTickCount() override { return target_.GetTickCount(); }
  void Sleep(std::uint32_t milliseconds) override { target_.Sleep(milliseconds); }
  std::uint32_t LastError() override { return target_.LastError(); }
  void LogEvent(const std::string& line) override { target_.LogEvent(line); }
  ProcessHandle StartProcess(const std::string& commandLine, const std::string& workingDirectory,
                             std::uint32_t creationFlags, int showState) override {
    return target_.StartProcess(commandLine, workingDirectory, creationFlags, showState);
  }
  std::uint32_t WaitProcess(ProcessHandle process, std::uint32_t timeoutMs) override {
    return target_.WaitProcess(process, timeoutMs);
  }
  bool CloseProcess(ProcessHandle process) override { return target_.CloseProcess(process); }
  MutexHandle OpenNamedMutex(const std::string& name) override {
    return target_.OpenNamedMutex(name);
  }
  std::uint32_t WaitMutex(MutexHandle mutex, std::uint32_t timeoutMs) override {
    return target_.WaitMutex(mutex, timeoutMs);
  }
  bool ReleaseMutex(MutexHandle mutex) override { return target_.ReleaseMutex(mutex); }
  bool CloseMutex(MutexHandle mutex) override { return target_.CloseMutex(mutex); }
  WindowHandle FindTopLevelWindow(const std::string& title) override {
    return target_.FindTopLevelWindow(title);
  }
  bool PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData) override {
    return target_.PostKeyDown(window, virtualKey, keyData);
  }
  void BroadcastWinIniChange(const std::string& section) override {
    target_.BroadcastWinIniChange(section);
  }
  bool OpenProcessToken(std::uint32_t access, std::uint32_t* token) override {
    return target_.OpenProcessToken(access, token);
  }
  bool LookupPrivilegeValue(const std::string& name, Luid* luid) override {
    return target_.LookupPrivilegeValue(name, luid);
  }
  bool AdjustTokenPrivilege(std::uint32_t token, const Luid& luid,
                            std::uint32_t attributes) override {
    return target_.AdjustTokenPrivilege(token, luid, attributes);
  }
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    return target_.ExitWindowsEx(flags, reserved);
  }
  std::uint32_t LoadLibrary16(const std::string& module) override {
    return target_.LoadLibrary16(module);
  }
  void FreeLibrary16(std::uint32_t instance) override { target_.FreeLibrary16(instance); }
  std::uint32_t GetProcAddress16(std::uint32_t instance, const std::string& name) override {
    return target_.GetProcAddress16(instance, name);
  }
  ModuleHandle LoadModule(const std::string& name) override { return target_.LoadModule(name); }
  void FreeModule(ModuleHandle module) override { target_.FreeModule(module); }
  std::uint32_t FindProcAddress(ModuleHandle module, const std::string& name) override {
    return target_.FindProcAddress(module, name);
  }
  std::uint16_t CallThunk16(std::uint32_t thunk, std::uint32_t target16, std::uint32_t argument32,
                            std::uint16_t argument16) override {
    return target_.CallThunk16(thunk, target16, argument32, argument16);
  }
  bool ReadOwnVersionInfo(std::string* block) override { return target_.ReadOwnVersionInfo(block); }
  bool GetSpecialFolder(ShellFolder folder, std::string* path) override {
    return target_.GetSpecialFolder(folder, path);
  }
  bool WriteShellLink(const std::string& path, const ShellLink& link) override {
    return target_.WriteShellLink(path, link);
  }
  bool ReadShellLink(const std::string& path, ShellLink* link) override {
    return target_.ReadShellLink(path, link);
  }

 protected:
  System& target() { return target_; }

 private:
  System& target_;
};

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_SYSTEM_H_
