#include "platform/win32/Win32Shell.h"

#include "platform/win32/Win32Api.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace zuba::platform::win32 {
namespace {

// The fields are read back into buffers of this size: what the shell of
// Windows 95 keeps of each.
constexpr int kFieldSize = 1024;

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

}  // namespace

Win32Shell::Win32Shell() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}

Win32Shell::~Win32Shell() {
  if (initialised_) CoUninitialize();
}

bool Win32Shell::GetSpecialFolder(ShellFolder folder, std::string* path) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &list)) || list == nullptr) return false;
  char found[MAX_PATH] = "";
  const bool known = SHGetPathFromIDListA(list, found) != FALSE;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(list);
    allocator->Release();
  }
  if (!known) return false;
  *path = found;
  return true;
}

bool Win32Shell::WriteLink(const std::string& path, const ShellLink& link) {
  LinkObject object;
  return object.Ready() && SUCCEEDED(object.Link()->SetPath(link.target.c_str())) &&
         SUCCEEDED(object.Link()->SetArguments(link.arguments.c_str())) &&
         SUCCEEDED(object.Link()->SetWorkingDirectory(link.workingDirectory.c_str())) &&
         SUCCEEDED(object.Link()->SetDescription(link.description.c_str())) &&
         SUCCEEDED(object.File()->Save(Wide(path).c_str(), TRUE));
}

bool Win32Shell::ReadLink(const std::string& path, ShellLink* link) {
  LinkObject object;
  if (!object.Ready() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
      FAILED(object.File()->Load(Wide(path).c_str(), STGM_READ))) {
    return false;
  }
  std::vector<char> text(kFieldSize);
  WIN32_FIND_DATAA found{};
  if (FAILED(object.Link()->GetPath(text.data(), kFieldSize, &found, 0))) return false;
  ShellLink read;
  read.target = text.data();
  auto field = [&](HRESULT (STDMETHODCALLTYPE IShellLinkA::*get)(LPSTR, int), std::string* out) {
    text[0] = '\0';
    (object.Link()->*get)(text.data(), kFieldSize);
    *out = text.data();
  };
  field(&IShellLinkA::GetArguments, &read.arguments);
  field(&IShellLinkA::GetWorkingDirectory, &read.workingDirectory);
  field(&IShellLinkA::GetDescription, &read.description);
  *link = std::move(read);
  return true;
}

}  // namespace zuba::platform::win32
