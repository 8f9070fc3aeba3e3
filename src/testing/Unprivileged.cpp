#include "testing/Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <utility>

namespace zuba::testing {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kNobody = 65534;

void SetPermissions(const fs::path& path, fs::perms add, fs::perms remove) {
  std::error_code ignored;
  fs::permissions(path, add, fs::perm_options::add, ignored);
  fs::permissions(path, remove, fs::perm_options::remove, ignored);
}

void ForTree(const std::string& root, const std::function<void(const fs::path&, bool)>& apply) {
  std::error_code ignored;
  apply(root, true);
  for (const auto& entry : fs::recursive_directory_iterator(root, ignored)) {
    if (entry.is_symlink(ignored)) continue;
    apply(entry.path(), entry.is_directory(ignored));
  }
}

}  // namespace

ReadOnlyTree::ReadOnlyTree(std::string path) : path_(std::move(path)) {
  ForTree(path_, [](const fs::path& p, bool directory) {
    const fs::perms read =
        directory ? fs::perms::all &
                        ~(fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)
                  : fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    SetPermissions(p, read,
                   fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
  });
}

ReadOnlyTree::~ReadOnlyTree() {
  ForTree(path_, [](const fs::path& p, bool) {
    SetPermissions(p, fs::perms::owner_write, fs::perms::none);
  });
}

int RunUnprivileged(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(255);
    }
    _exit(body() & 0xFF);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

std::string UnprivilegedCommandPrefix() {
  return geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
}

}  // namespace zuba::testing
