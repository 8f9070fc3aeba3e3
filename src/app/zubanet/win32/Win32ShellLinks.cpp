#include "app/zubanet/win32/Win32ShellLinks.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace zuba::app {
namespace {

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::vector<wchar_t> wide(n);
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  return std::wstring(wide.data());
}

// The shell's link object and its file interface, released on leaving.
class LinkObject {
 public:
  LinkObject() {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link_)))) {
      link_ = nullptr;
      return;
    }
    if (FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) {
      file_ = nullptr;
    }
  }
  ~LinkObject() {
    if (file_ != nullptr) file_->Release();
    if (link_ != nullptr) link_->Release();
  }
  LinkObject(const LinkObject&) = delete;
  LinkObject& operator=(const LinkObject&) = delete;

  bool Ready() const { return link_ != nullptr && file_ != nullptr; }
  IShellLinkA* Link() { return link_; }
  IPersistFile* File() { return file_; }

 private:
  IShellLinkA* link_ = nullptr;
  IPersistFile* file_ = nullptr;
};

class Win32ShellLinks : public ShellLinks {
 public:
  Win32ShellLinks() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~Win32ShellLinks() override {
    if (initialised_) CoUninitialize();
  }

  std::string ProgramsFolder() override {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &list)) || list == nullptr) {
      return std::string();
    }
    char path[MAX_PATH] = "";
    const bool found = SHGetPathFromIDListA(list, path) != FALSE;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
      allocator->Free(list);
      allocator->Release();
    }
    return found ? std::string(path) : std::string();
  }

  bool WriteLink(const std::string& path, const ShellLink& link) override {
    LinkObject object;
    return object.Ready() && SUCCEEDED(object.Link()->SetPath(link.target.c_str())) &&
           SUCCEEDED(object.Link()->SetWorkingDirectory(link.workingDirectory.c_str())) &&
           SUCCEEDED(object.Link()->SetDescription(link.description.c_str())) &&
           SUCCEEDED(object.File()->Save(Wide(path).c_str(), TRUE));
  }

  bool ReadLink(const std::string& path, ShellLink* link) override {
    LinkObject object;
    if (!object.Ready() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
        FAILED(object.File()->Load(Wide(path).c_str(), STGM_READ))) {
      return false;
    }
    char text[MAX_PATH] = "";
    WIN32_FIND_DATAA found{};
    if (FAILED(object.Link()->GetPath(text, MAX_PATH, &found, 0))) return false;
    link->target = text;
    text[0] = '\0';
    object.Link()->GetWorkingDirectory(text, MAX_PATH);
    link->workingDirectory = text;
    text[0] = '\0';
    object.Link()->GetDescription(text, MAX_PATH);
    link->description = text;
    return true;
  }

 private:
  bool initialised_;
};

}  // namespace

std::unique_ptr<ShellLinks> OpenWin32ShellLinks() { return std::make_unique<Win32ShellLinks>(); }

}  // namespace zuba::app
