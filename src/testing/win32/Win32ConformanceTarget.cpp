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

class Win32Target final : public ConformanceTarget {
 public:
  Win32Target() : services_(platform::win32::OpenWin32Services()) {
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

 private:
  static constexpr char kKeyBase[] = "Software\\ZubaNet Conformance";

  std::unique_ptr<platform::win32::Services> services_;
  std::string directory_;
  std::string key_;
  const bool wine_ = RunsOnWine();
};

}  // namespace

std::unique_ptr<ConformanceTarget> OpenConformanceTarget() {
  return std::make_unique<Win32Target>();
}

}  // namespace zuba::testing
