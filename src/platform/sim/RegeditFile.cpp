#include "platform/sim/RegeditFile.h"

#include <vector>

#include "platform/sim/RegName.h"
#include "platform/sim/Regedit4.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {
namespace {

constexpr std::string_view kClassesPath = "Software\\Classes";

// Maps a root of a REGEDIT4 key line onto the two roots of the machine.
bool MapRoot(RegRoot root, std::string_view path, RegKey* key, std::string* subKey) {
  switch (root) {
    case RegRoot::kLocalMachine:
      *key = kHkeyLocalMachine;
      subKey->assign(path);
      return true;
    case RegRoot::kCurrentUser:
      *key = kHkeyCurrentUser;
      subKey->assign(path);
      return true;
    case RegRoot::kClassesRoot:
      *key = kHkeyLocalMachine;
      subKey->assign(kClassesPath);
      if (!path.empty()) {
        subKey->push_back('\\');
        subKey->append(path);
      }
      return true;
    default:
      return false;
  }
}

std::string_view RootNameOf(RegKey root) {
  return RegRootName(root == kHkeyLocalMachine ? RegRoot::kLocalMachine : RegRoot::kCurrentUser);
}

[[noreturn]] void ReadFailed(long code) {
  throw MachineError("cannot read the registry (error " + std::to_string(code) + ")");
}

void ExportKey(Registry& registry, RegKey key, std::string* path, std::string* out) {
  AppendKeyLine(out, *path);
  std::string name;
  RegValue value;
  for (std::uint32_t i = 0;; ++i) {
    long r = registry.EnumValue(key, i, &name);
    if (r == kErrorNoMoreItems) break;
    if (r != kErrorSuccess) ReadFailed(r);
    r = registry.QueryValue(key, name, &value);
    if (r != kErrorSuccess) ReadFailed(r);
    AppendValueLine(out, name, value.type, value.data);
  }
  out->append("\r\n");
  for (std::uint32_t i = 0;; ++i) {
    long r = registry.EnumKey(key, i, &name);
    if (r == kErrorNoMoreItems) break;
    if (r != kErrorSuccess) ReadFailed(r);
    RegKey child;
    r = registry.OpenKey(key, name, &child);
    if (r != kErrorSuccess) ReadFailed(r);
    std::size_t length = path->size();
    path->push_back('\\');
    path->append(name);
    try {
      ExportKey(registry, child, path, out);
    } catch (...) {
      registry.CloseKey(child);
      throw;
    }
    registry.CloseKey(child);
    path->resize(length);
  }
}

// Opens `subKey` below `root` one name at a time, so that `*path` collects
// the names as they were created rather than as they were asked for.
long OpenWithStoredCase(Registry& registry, RegKey root, const std::string& subKey, RegKey* key,
                        std::string* path) {
  RegKey current = root;
  long result = kErrorSuccess;
  ForEachKeyName(subKey, [&](std::string_view wanted) {
    std::string name;
    for (std::uint32_t i = 0;; ++i) {
      result = registry.EnumKey(current, i, &name);
      if (result == kErrorNoMoreItems) result = kErrorFileNotFound;
      if (result != kErrorSuccess) return false;
      if (NamesEqual(name, wanted)) break;
    }
    RegKey next;
    result = registry.OpenKey(current, name, &next);
    registry.CloseKey(current);
    if (result != kErrorSuccess) return false;
    current = next;
    path->push_back('\\');
    path->append(name);
    return true;
  });
  if (result != kErrorSuccess) {
    registry.CloseKey(current);
    return result;
  }
  *key = current;
  return kErrorSuccess;
}

struct ImportStep {
  enum Kind { kKey, kRemoveKey, kValue, kRemoveValue };
  ImportStep(Kind k, int l) : kind(k), line(l) {}
  Kind kind;
  int line;
  RegKey root = 0;
  std::string path;  // key steps
  std::string name;  // value steps
  RegValue value;
};

class StepCollector : public Regedit4Sink {
 public:
  const char* OnKey(int line, RegRoot root, std::string_view path, bool remove) override {
    ImportStep step(remove ? ImportStep::kRemoveKey : ImportStep::kKey, line);
    if (!MapRoot(root, path, &step.root, &step.path)) return "root key not held by this machine";
    if (remove && path.empty()) return "a root key cannot be deleted";
    steps.push_back(std::move(step));
    return nullptr;
  }
  const char* OnValue(int line, std::string_view name, std::uint32_t type,
                      std::string_view data) override {
    ImportStep step(ImportStep::kValue, line);
    step.name.assign(name);
    step.value.type = type;
    step.value.data.assign(data);
    steps.push_back(std::move(step));
    return nullptr;
  }
  const char* OnRemoveValue(int line, std::string_view name) override {
    ImportStep step(ImportStep::kRemoveValue, line);
    step.name.assign(name);
    steps.push_back(std::move(step));
    return nullptr;
  }

  std::vector<ImportStep> steps;
};

void ApplySteps(Registry& registry, const std::vector<ImportStep>& steps,
                const std::string& fileName) {
  RegKey current = 0;
  auto fail = [&](const ImportStep& step, const char* what, long code) {
    if (current) registry.CloseKey(current);
    throw MachineError(fileName + ":" + std::to_string(step.line) + ": " + what + " (error " +
                       std::to_string(code) + ")");
  };
  for (const ImportStep& step : steps) {
    long r = kErrorSuccess;
    switch (step.kind) {
      case ImportStep::kKey:
        if (current) registry.CloseKey(current);
        current = 0;
        r = registry.CreateKey(step.root, step.path, &current);
        if (r != kErrorSuccess) fail(step, "cannot create the key", r);
        break;
      case ImportStep::kRemoveKey:
        if (current) registry.CloseKey(current);
        current = 0;
        r = registry.DeleteKey(step.root, step.path);
        if (r != kErrorSuccess && r != kErrorFileNotFound) fail(step, "cannot delete the key", r);
        break;
      case ImportStep::kValue:
        r = registry.SetValue(current, step.name, step.value);
        if (r != kErrorSuccess) fail(step, "cannot set the value", r);
        break;
      case ImportStep::kRemoveValue:
        r = registry.DeleteValue(current, step.name);
        if (r != kErrorSuccess && r != kErrorFileNotFound) fail(step, "cannot delete the value", r);
        break;
    }
  }
  if (current) registry.CloseKey(current);
}

}  // namespace

bool SplitRegistryPath(std::string_view keyPath, RegKey* root, std::string* subKey) {
  std::size_t slash = keyPath.find('\\');
  std::string_view rootName = keyPath.substr(0, slash);
  std::string_view rest =
      slash == std::string_view::npos ? std::string_view() : keyPath.substr(slash + 1);
  if (NamesEqual(rootName, "HKLM")) {
    *root = kHkeyLocalMachine;
    subKey->assign(rest);
    return true;
  }
  if (NamesEqual(rootName, "HKCU")) {
    *root = kHkeyCurrentUser;
    subKey->assign(rest);
    return true;
  }
  RegRoot r;
  return FindRegRoot(rootName, &r) && MapRoot(r, rest, root, subKey);
}

std::string ExportRegedit4(Registry& registry, const std::string& keyPath) {
  std::string out;
  AppendRegedit4Header(&out);
  if (keyPath.empty()) {
    for (RegKey root : {kHkeyLocalMachine, kHkeyCurrentUser}) {
      std::string path(RootNameOf(root));
      ExportKey(registry, root, &path, &out);
    }
    return out;
  }
  RegKey root;
  std::string subKey;
  if (!SplitRegistryPath(keyPath, &root, &subKey)) {
    throw MachineError("no such root key on this machine");
  }
  std::string path(RootNameOf(root));
  RegKey key = 0;
  long r = OpenWithStoredCase(registry, root, subKey, &key, &path);
  if (r == kErrorFileNotFound) throw MachineError("no such key");
  if (r != kErrorSuccess) ReadFailed(r);
  try {
    ExportKey(registry, key, &path, &out);
  } catch (...) {
    registry.CloseKey(key);
    throw;
  }
  registry.CloseKey(key);
  return out;
}

void ImportRegedit4(Registry& registry, std::string_view text, const std::string& fileName) {
  StepCollector collector;
  Regedit4Error error;
  if (!ParseRegedit4(text, collector, &error)) {
    throw MachineError(fileName + ":" + std::to_string(error.line) + ": " + error.message);
  }
  long r = ApplyAsOneWrite(registry, [&] { ApplySteps(registry, collector.steps, fileName); });
  if (r != kErrorSuccess) {
    throw MachineError(fileName + ": the registry could not be saved (error " + std::to_string(r) +
                       ")");
  }
}

}  // namespace zuba::platform::sim
