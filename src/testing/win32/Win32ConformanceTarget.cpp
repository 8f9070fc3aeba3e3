#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "testing/ConformanceTarget.h"
#include "testing/win32/TemplateMachine.h"

namespace zuba::testing {
namespace {

// Removes a directory with everything in it.
void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(directory.c_str());
}

bool RunsOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

constexpr char kDirectoryVariable[] = "ZUBA_CONFORMANCE_DIRECTORY";
constexpr char kKeyVariable[] = "ZUBA_CONFORMANCE_KEY";

class Win32Peer final : public PeerProcess {
 public:
  explicit Win32Peer(HANDLE process) : process_(process) {}
  ~Win32Peer() override { Wait(); }
  bool Wait() override {
    if (process_) {
      DWORD code = 1;
      WaitForSingleObject(process_, INFINITE);
      passed_ = GetExitCodeProcess(process_, &code) && code == 0;
      CloseHandle(process_);
      process_ = nullptr;
    }
    return passed_;
  }

 private:
  HANDLE process_;
  bool passed_ = false;
};

class Win32Target final : public ConformanceTarget {
 public:
  Win32Target() : services_(platform::win32::OpenWin32Services()) {
    const char* sharedDirectory = std::getenv(kDirectoryVariable);
    const char* sharedKey = std::getenv(kKeyVariable);
    if (sharedDirectory && sharedKey) {
      // A peer: the directory and key of the test that started it.
      directory_ = sharedDirectory;
      key_ = sharedKey;
      peer_ = true;
      return;
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const std::string unique =
        std::to_string(GetCurrentProcessId()) + "-" + std::to_string(now.QuadPart);
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof temp, temp);
    std::string base(temp, n);
    if (!base.empty() && base.back() == '\\') base.pop_back();
    directory_ = base + "\\zuba-conformance-" + unique;
    CreateDirectoryA(directory_.c_str(), nullptr);
    key_ = std::string(kKeyBase) + "\\" + unique;
    platform::RegKey created;
    if (registry().CreateKey(platform::kHkeyCurrentUser, key_, &created) ==
        platform::kErrorSuccess) {
      registry().CloseKey(created);
    }
  }

  ~Win32Target() override {
    if (peer_) return;
    RemoveTree(directory_);
    registry().DeleteKey(platform::kHkeyCurrentUser, key_);
  }

  platform::Registry& registry() override { return *services_->registry; }
  platform::Files& files() override { return *services_->files; }
  platform::Profiles& profiles() override { return *services_->profiles; }
  platform::System& system() override { return *services_->system; }
  const std::string& directory() const override { return directory_; }
  const std::string& key() const override { return key_; }
  bool IsWine() const override { return wine_; }
  Template machine() const override { return TemplateOfMachine(); }

  std::unique_ptr<PeerProcess> StartPeer(const std::string& test, int number) override {
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
    if (n == 0 || n >= sizeof program) return std::make_unique<Win32Peer>(nullptr);
    std::string commandLine = "\"" + std::string(program, n) + "\" --gtest_filter=" + test;
    // The peer inherits the environment: its variables are set for the
    // start only.
    SetEnvironmentVariableA("ZUBA_CONFORMANCE_PEER", std::to_string(number).c_str());
    SetEnvironmentVariableA(kDirectoryVariable, directory_.c_str());
    SetEnvironmentVariableA(kKeyVariable, key_.c_str());
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    const BOOL started = CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &info);
    for (const char* name : {"ZUBA_CONFORMANCE_PEER", kDirectoryVariable, kKeyVariable}) {
      SetEnvironmentVariableA(name, nullptr);
    }
    if (!started) return std::make_unique<Win32Peer>(nullptr);
    CloseHandle(info.hThread);
    return std::make_unique<Win32Peer>(info.hProcess);
  }

 private:
  static constexpr char kKeyBase[] = "Software\\ZubaNet Conformance";

  std::unique_ptr<platform::win32::Services> services_;
  std::string directory_;
  std::string key_;
  const bool wine_ = RunsOnWine();
  bool peer_ = false;
};

}  // namespace

std::unique_ptr<ConformanceTarget> OpenConformanceTarget() {
  return std::make_unique<Win32Target>();
}

}  // namespace zuba::testing
