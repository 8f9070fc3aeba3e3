// TestMachine on Windows: the machine the test runs on (a Wine prefix made
// for the tests), whose registry is set back to the template machine's
// system.reg and user.reg before each test (testing/win32/TemplateMachine.h
// names the template). The machine is of the template's Windows, 95 or 98.
//
// The template's keys mix with the prefix's own (SOFTWARE\Microsoft\...).
// The first test in a prefix notes which of the template's keys the prefix
// did not have before (the template's own subtrees) under kMarkerKey, with
// the template they came from; every test then deletes those subtrees and
// imports both files again with the registry editor. Keys the prefix had
// keep what a test added to them. When the prefix is seeded from another
// template, the old template's subtrees go before the new ones are noted.
#include <set>
#include <stdexcept>

#include "platform/Cp932.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"
#include "testing/TestMachine.h"
#include "testing/win32/Regedit.h"
#include "testing/win32/TemplateMachine.h"

namespace zuba::testing {
namespace {

using platform::kErrorSuccess;

constexpr char kMarkerKey[] = "Software\\ZubaNet Tests";
constexpr char kMarkerValue[] = "Template subtrees";
constexpr char kMarkerTemplate[] = "Template";

// The key paths of a REGEDIT4 file's key lines, in file order.
std::vector<std::string> KeyLines(platform::Files& files, const std::string& file) {
  std::vector<std::string> lines, keys;
  if (!platform::ReadTextLines(files, file, &lines)) {
    throw std::runtime_error("cannot read " + file);
  }
  for (const std::string& line : lines) {
    if (line.size() > 2 && line[0] == '[' && line[1] != '-' && line.back() == ']') {
      keys.push_back(line.substr(1, line.size() - 2));
    }
  }
  return keys;
}

bool KeyExists(platform::Registry& registry, const std::string& path) {
  platform::RegKey root, key;
  std::string subKey;
  if (!SplitRootPath(path, &root, &subKey)) return false;
  if (registry.OpenKey(root, subKey, &key) != kErrorSuccess) return false;
  registry.CloseKey(key);
  return true;
}

// For each key path, the shortest leading part of it that the registry
// does not hold: the subtrees the template adds.
std::set<std::string> MissingSubtrees(platform::Registry& registry,
                                      const std::vector<std::string>& paths) {
  std::set<std::string> subtrees;
  for (const std::string& path : paths) {
    std::size_t end = 0;
    for (;;) {
      end = platform::FindCp932(path, '\\', end + 1);
      const std::string part = path.substr(0, end);
      if (subtrees.count(part)) break;
      if (!KeyExists(registry, part)) {
        subtrees.insert(part);
        break;
      }
      if (end == std::string::npos) break;
    }
  }
  return subtrees;
}

}  // namespace

class TestMachine::Impl {
 public:
  explicit Impl(Template from) : services_(platform::win32::OpenWin32Services()) {
    if (from != TemplateOfMachine()) {
      throw std::runtime_error("the machine here is not of that template's Windows");
    }
    ResetRegistry();
  }

  platform::win32::Services& services() { return *services_; }

 private:
  void ResetRegistry() {
    platform::Registry& registry = *services_->registry;
    const std::string dir = TemplateDirectory();
    const std::vector<std::string> files = {dir + "\\system.reg", dir + "\\user.reg"};
    std::set<std::string> subtrees;
    std::string noted;
    if (!ReadSubtrees(&subtrees, &noted) || noted != dir) {
      DeleteSubtrees(subtrees);
      subtrees.clear();
      std::vector<std::string> paths;
      for (const std::string& file : files) {
        for (std::string& path : KeyLines(*services_->files, file))
          paths.push_back(std::move(path));
      }
      subtrees = MissingSubtrees(registry, paths);
      StoreSubtrees(subtrees, dir);
    }
    DeleteSubtrees(subtrees);
    RunRegedit(files);
  }

  void DeleteSubtrees(const std::set<std::string>& subtrees) {
    for (const std::string& subtree : subtrees) {
      platform::RegKey root;
      std::string subKey;
      if (SplitRootPath(subtree, &root, &subKey) && !subKey.empty()) {
        services_->registry->DeleteKey(root, subKey);
      }
    }
  }

  // The subtrees noted and the template directory they were noted for.
  bool ReadSubtrees(std::set<std::string>* subtrees, std::string* templateDirectory) {
    platform::Registry& registry = *services_->registry;
    platform::RegKey key;
    if (registry.OpenKey(platform::kHkeyLocalMachine, kMarkerKey, &key) != kErrorSuccess) {
      return false;
    }
    platform::RegValue value, from;
    const long found = registry.QueryValue(key, kMarkerValue, &value);
    const long foundFrom = registry.QueryValue(key, kMarkerTemplate, &from);
    registry.CloseKey(key);
    if (found != kErrorSuccess) return false;
    if (foundFrom == kErrorSuccess) *templateDirectory = from.data.c_str();
    for (std::size_t start = 0; start < value.data.size();) {
      const std::size_t end = value.data.find('\0', start);
      if (end == start || end == std::string::npos) break;
      subtrees->insert(value.data.substr(start, end - start));
      start = end + 1;
    }
    return true;
  }

  void StoreSubtrees(const std::set<std::string>& subtrees, const std::string& templateDirectory) {
    platform::Registry& registry = *services_->registry;
    std::string data;
    for (const std::string& subtree : subtrees) data += subtree + '\0';
    data += '\0';
    platform::RegKey key;
    if (registry.CreateKey(platform::kHkeyLocalMachine, kMarkerKey, &key) != kErrorSuccess ||
        registry.SetValue(key, kMarkerValue, platform::RegValue{platform::kRegMultiSz, data}) !=
            kErrorSuccess ||
        registry.SetValue(key, kMarkerTemplate,
                          platform::RegValue{platform::kRegSz, templateDirectory + '\0'}) !=
            kErrorSuccess) {
      throw std::runtime_error("cannot note the template's subtrees");
    }
    registry.CloseKey(key);
  }

  std::unique_ptr<platform::win32::Services> services_;
};

std::vector<Template> AvailableTemplates() { return {TemplateOfMachine()}; }

TestMachine::TestMachine() : TestMachine(AvailableTemplates().front()) {}
TestMachine::TestMachine(Template from) : from_(from), impl_(std::make_unique<Impl>(from)) {}
TestMachine::~TestMachine() = default;

platform::Registry& TestMachine::registry() { return *impl_->services().registry; }
platform::Files& TestMachine::files() { return *impl_->services().files; }
platform::Profiles& TestMachine::profiles() { return *impl_->services().profiles; }
platform::System& TestMachine::system() { return *impl_->services().system; }

}  // namespace zuba::testing
