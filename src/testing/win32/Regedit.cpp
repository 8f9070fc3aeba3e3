#include "testing/win32/Regedit.h"

#include <stdexcept>

#include "platform/win32/Win32Api.h"

namespace zuba::testing {

void RunRegedit(const std::vector<std::string>& files) {
  std::string command = "regedit.exe /S";
  for (const std::string& file : files) command += " \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw std::runtime_error("regedit cannot be started: error " + std::to_string(GetLastError()));
  }
  const DWORD waited = WaitForSingleObject(process.hProcess, 120000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (waited != WAIT_OBJECT_0) throw std::runtime_error("regedit did not end");
}

void ImportRegText(const std::string& text) {
  char directory[MAX_PATH], file[MAX_PATH];
  if (!GetTempPathA(sizeof directory, directory) || !GetTempFileNameA(directory, "zrg", 0, file)) {
    throw std::runtime_error("no temporary file for regedit");
  }
  HANDLE handle =
      CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok =
      handle != INVALID_HANDLE_VALUE &&
      WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size();
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  if (ok) RunRegedit({file});
  DeleteFileA(file);
  if (!ok) throw std::runtime_error("the registry text cannot be written for regedit");
}

bool SplitRootPath(const std::string& path, platform::RegKey* root, std::string* subKey) {
  static const struct {
    const char* name;
    platform::RegKey key;
  } kRoots[] = {{"HKEY_LOCAL_MACHINE", platform::kHkeyLocalMachine},
                {"HKEY_CURRENT_USER", platform::kHkeyCurrentUser}};
  for (const auto& candidate : kRoots) {
    const std::string name = candidate.name;
    if (path.compare(0, name.size(), name) != 0) continue;
    if (path.size() == name.size()) {
      subKey->clear();
    } else if (path[name.size()] == '\\') {
      *subKey = path.substr(name.size() + 1);
    } else {
      continue;
    }
    *root = candidate.key;
    return true;
  }
  return false;
}

}  // namespace zuba::testing
