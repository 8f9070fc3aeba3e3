#include "platform/sim/SimRegistry.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include "platform/sim/HiveCommit.h"
#include "platform/sim/HiveFile.h"
#include "platform/sim/RegName.h"
#include "platform/sim/RegTree.h"
#include "platform/sim/RegistryFaults.h"
#include "platform/sim/Regedit4.h"
#include "platform/sim/RegistryLock.h"

namespace zuba::platform::sim {
namespace {

constexpr int kHiveCount = 2;

struct Hive {
  RegRoot root;
  std::string name;    // the file's name in the machine directory
  std::string source;  // the file the tree was read from (or saved to)
  std::unique_ptr<RegNode> tree;
  FileStamp stamp;                // of `source`
  std::uint64_t seenCounter = 0;  // the lock's counter when the tree was loaded or saved
  bool dirty = false;             // changed during ApplyAsOneWrite
};

// An open key. Its value is (serial << 16) | slot, so a closed handle that
// is used again is recognised once its slot has been reused.
struct Handle {
  RegNode* node = nullptr;  // nullptr once the key was deleted
  int hive = 0;
  std::uint32_t serial = 1;
  bool open = false;
};

// A change a registry opened with RegistryWrites::kAtFlush holds until it
// writes its hives. It names its key by path, so that it can be made again
// on the hive another process saved in the meantime.
struct PendingChange {
  enum Kind { kCreateKey, kSetValue, kDeleteValue, kDeleteKey };

  PendingChange(Kind kind, std::vector<std::string> path, std::string name = {},
                std::uint32_t type = 0, std::string data = {})
      : kind(kind), path(std::move(path)), name(std::move(name)), type(type),
        data(std::move(data)) {}

  Kind kind;
  std::vector<std::string> path;  // the key's names below the root
  std::string name;               // the value's name
  std::uint32_t type;
  std::string data;
};

constexpr std::uint32_t kMaxHandles = 0x10000;
constexpr std::uint32_t kMaxSerial = 0x7FFF;  // keeps handles below the predefined roots

class SimRegistry final : public Registry {
 public:
  SimRegistry(const std::string& directory, EventLog& events, RegistryWrites writes)
      : events_(events), lock_(directory), commit_(directory), writes_(writes) {
    hives_[0].root = RegRoot::kLocalMachine;
    hives_[0].name = "system.reg";
    hives_[1].root = RegRoot::kCurrentUser;
    hives_[1].name = "user.reg";
    ReloadTogether();
  }

  // What is still held is written now: the program ends as a Windows 9x
  // program ends, its registry changes kept.
  ~SimRegistry() override {
    try {
      if (Sync() != kErrorSuccess) {
        events_.Append("registry: changes could not be saved when the registry was closed");
      }
    } catch (const std::exception& error) {
      events_.Append(std::string("registry: changes could not be saved: ") + error.what());
    }
  }

  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    if (!result) return kErrorInvalidParameter;
    int h = HiveOf(parent);
    if (h < 0) return kErrorBadKey;
    Refresh(h, IsRoot(parent));
    RegNode* node = NodeOf(parent);
    if (!node) return kErrorBadKey;
    RegNode* target = Walk(node, subKey);
    if (!target) return kErrorFileNotFound;
    return NewHandle(h, target, result);
  }

  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    if (!result) return kErrorInvalidParameter;
    RegNode* target = nullptr;
    long r = Change(parent, [&](int, RegNode* node, bool* changed) {
      std::size_t depth = node->depth();
      if (!ForEachKeyName(subKey, [&depth](std::string_view name) {
            ++depth;
            return IsValidKeyName(name);
          })) {
        return kErrorInvalidParameter;
      }
      if (depth > kMaxKeyDepth) return kErrorInvalidParameter;
      ForEachKeyName(subKey, [&](std::string_view name) {
        bool added;
        node = node->FindOrAddChild(name, &added);
        *changed = *changed || added;
        return true;
      });
      target = node;
      if (*changed) Hold(HiveOf(parent), PendingChange(PendingChange::kCreateKey, PathOf(target)));
      return kErrorSuccess;
    });
    if (r != kErrorSuccess) return r;
    return NewHandle(HiveOf(parent), target, result);
  }

  long CloseKey(RegKey key) override {
    if (IsRoot(key)) return kErrorSuccess;
    Handle* handle = HandleOf(key);
    if (!handle) return kErrorBadKey;
    handle->open = false;
    handle->node = nullptr;
    handle->serial = handle->serial == kMaxSerial ? 1 : handle->serial + 1;
    freeSlots_.push_back(key & 0xFFFF);
    return kErrorSuccess;
  }

  long QueryValue(RegKey key, const std::string& name, RegValue* value) override {
    RegNode* node = ReadNode(key);
    if (!node) return kErrorBadKey;
    const RegValueEntry* entry = node->FindValue(name);
    if (!entry) return kErrorFileNotFound;
    if (value) {
      value->type = entry->type;
      value->data = entry->data;
    }
    return kErrorSuccess;
  }

  long SetValue(RegKey key, const std::string& name, const RegValue& value) override {
    if (!IsValidValueName(name)) return kErrorInvalidParameter;
    const std::string data = StoredValueData(value.type, value.data);
    return Change(key, [&](int h, RegNode* node, bool* changed) {
      *changed = node->SetValue(name, value.type, data);
      if (*changed) {
        Hold(h, PendingChange(PendingChange::kSetValue, PathOf(node), name, value.type, data));
      }
      return kErrorSuccess;
    });
  }

  long DeleteValue(RegKey key, const std::string& name) override {
    return Change(key, [&](int h, RegNode* node, bool* changed) {
      *changed = node->RemoveValue(name);
      if (*changed) Hold(h, PendingChange(PendingChange::kDeleteValue, PathOf(node), name));
      return *changed ? kErrorSuccess : kErrorFileNotFound;
    });
  }

  long DeleteKey(RegKey parent, const std::string& subKey) override {
    // The subtree stays alive until the outcome is known: a failed save
    // reloads the hive, and the handles into the subtree must still lead
    // back to their paths then.
    std::unique_ptr<RegNode> removed;
    int h = HiveOf(parent);
    long r = Change(parent, [&](int hive, RegNode* node, bool* changed) {
      RegNode* target = Walk(node, subKey);
      if (!target) return kErrorFileNotFound;
      if (target == node) return kErrorBadKey;  // no name given: Windows 9x refuses
      Hold(hive, PendingChange(PendingChange::kDeleteKey, PathOf(target)));
      removed = target->parent()->DetachChild(target);
      *changed = true;
      return kErrorSuccess;
    });
    if (r == kErrorSuccess) {
      for (Handle& handle : handles_) {
        if (handle.open && handle.hive == h && removed->Contains(handle.node)) {
          handle.node = nullptr;
        }
      }
    }
    return r;
  }

  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override {
    RegNode* node = ReadNode(key);
    if (!node) return kErrorBadKey;
    if (index >= node->ChildCount()) return kErrorNoMoreItems;
    if (name) *name = node->Child(index)->name();
    return kErrorSuccess;
  }

  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override {
    RegNode* node = ReadNode(key);
    if (!node) return kErrorBadKey;
    if (index >= node->ValueCount()) return kErrorNoMoreItems;
    if (name) *name = node->Value(index).name;
    return kErrorSuccess;
  }

  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* values) override {
    RegNode* node = ReadNode(key);
    if (!node) return kErrorBadKey;
    if (subKeys) *subKeys = static_cast<std::uint32_t>(node->ChildCount());
    if (values) *values = static_cast<std::uint32_t>(node->ValueCount());
    return kErrorSuccess;
  }

  // Goes through the keys in memory, reading the one value of each: the
  // keys' values stay in the hive's text where they are (RegNode::PeekValue).
  long FindKeysWithValue(RegKey key, const std::string& valueName, std::size_t length,
                         std::vector<std::string>* paths) override {
    RegNode* node = ReadNode(key);
    if (!node) return kErrorBadKey;
    struct Frame {
      RegNode* node;
      std::size_t next;
      std::size_t pathLength;  // the path's length before this key's name
    };
    std::string lineStart;
    if (!ValueLineStart(valueName, &lineStart)) return kErrorSuccess;  // no value has that name
    std::vector<Frame> stack{{node, 0, 0}};
    std::string path;
    std::uint32_t type;
    std::string data;
    while (!stack.empty()) {
      Frame& top = stack.back();
      if (top.next < top.node->ChildCount()) {
        RegNode* child = top.node->Child(top.next++);
        const std::size_t before = path.size();
        if (!path.empty()) path += '\\';
        path += child->name();
        stack.push_back(Frame{child, 0, before});
        continue;
      }
      if (top.node->PeekValue(valueName, lineStart, &type, &data)) {
        const bool text = type == kRegSz || type == kRegExpandSz;
        const std::size_t zero = data.find('\0');
        if (!text || (zero == std::string::npos ? data.size() : zero) == length) {
          paths->push_back(path);
        }
      }
      path.resize(top.pathLength);
      stack.pop_back();
    }
    return kErrorSuccess;
  }

  long FlushKey(RegKey key) override {
    RegNode* node = ReadNode(key);
    if (!node) return kErrorBadKey;
    events_.Append("registry flush " + std::string(RegRootName(hives_[HiveOf(key)].root)));
    return Sync();
  }

  // Writes the changes held (kAtFlush) into the hives, as one change of
  // both when both hold some. Changes that cannot be saved stay held, for
  // the next try.
  long Sync() {
    std::vector<int> held;
    for (int h = 0; h < kHiveCount; ++h) {
      if (!pending_[h].empty()) held.push_back(h);
    }
    if (held.empty()) {
      // Nothing to write: the flush still clears what a save cut short left.
      if (lock_.writable()) {
        RegistryLockScope scope(lock_, LockMode::kExclusive);
        commit_.DiscardLeft({hives_[0].name, hives_[1].name});
      }
      return kErrorSuccess;
    }
    RegistryLockScope scope(lock_, LockMode::kExclusive);
    if (!lock_.writable() || !CompletePending()) return kErrorRegistryIoFailed;
    for (int h : held) Refresh(h, true);
    if (!Save(held)) return kErrorRegistryIoFailed;
    for (int h : held) pending_[h].clear();
    return kErrorSuccess;
  }

  long ApplyAsOneWrite(const std::function<void()>& changes) {
    if (batchDepth_ > 0) {
      changes();
      return kErrorSuccess;
    }
    RegistryLockScope scope(lock_, LockMode::kExclusive);
    if (!lock_.writable() || !CompletePending()) return kErrorRegistryIoFailed;
    for (int h = 0; h < kHiveCount; ++h) Refresh(h, true);
    ++batchDepth_;
    try {
      changes();
    } catch (...) {
      --batchDepth_;
      for (int h = 0; h < kHiveCount; ++h) {
        if (hives_[h].dirty) Reload(h);
      }
      throw;
    }
    --batchDepth_;
    std::vector<int> dirty;
    for (int h = 0; h < kHiveCount; ++h) {
      if (hives_[h].dirty) dirty.push_back(h);
    }
    if (dirty.empty()) return kErrorSuccess;
    if (Save(dirty)) {
      for (int h : dirty) pending_[h].clear();  // they were saved with the rest
      return kErrorSuccess;
    }
    for (int h : dirty) Reload(h);  // all of it is discarded, in both hives
    return kErrorRegistryIoFailed;
  }

 private:
  static bool IsRoot(RegKey key) { return key == kHkeyLocalMachine || key == kHkeyCurrentUser; }

  Handle* HandleOf(RegKey key) {
    std::uint32_t slot = key & 0xFFFF;
    std::uint32_t serial = key >> 16;
    if (slot >= handles_.size()) return nullptr;
    Handle& handle = handles_[slot];
    return handle.open && handle.serial == serial ? &handle : nullptr;
  }

  // The hive of a root or an open handle; -1 for anything else.
  int HiveOf(RegKey key) {
    if (key == kHkeyLocalMachine) return 0;
    if (key == kHkeyCurrentUser) return 1;
    Handle* handle = HandleOf(key);
    return handle ? handle->hive : -1;
  }

  // The key of a root or an open handle; nullptr when it is none or its key
  // was deleted.
  RegNode* NodeOf(RegKey key) {
    if (key == kHkeyLocalMachine) return hives_[0].tree.get();
    if (key == kHkeyCurrentUser) return hives_[1].tree.get();
    Handle* handle = HandleOf(key);
    return handle ? handle->node : nullptr;
  }

  // The key for a reading operation, its hive brought up to date first.
  RegNode* ReadNode(RegKey key) {
    int h = HiveOf(key);
    if (h < 0) return nullptr;
    Refresh(h, false);
    return NodeOf(key);
  }

  // The key's names below its root.
  static std::vector<std::string> PathOf(const RegNode* node) {
    std::vector<std::string> names;
    for (; node->parent(); node = node->parent()) names.push_back(node->name());
    return {names.rbegin(), names.rend()};
  }

  // Keeps a change that was made in memory only: within ApplyAsOneWrite the
  // hive is saved at its end; with kAtFlush the change is held until Sync.
  void Hold(int h, PendingChange change) {
    if (batchDepth_ > 0) return;
    if (writes_ == RegistryWrites::kAtFlush) pending_[h].push_back(std::move(change));
  }

  // Makes the held changes of hive `h` again on `tree`, freshly loaded. A
  // change whose key another process deleted meanwhile is dropped, as the
  // call would have failed on that hive.
  void Replay(int h, RegNode* tree) {
    for (const PendingChange& change : pending_[h]) {
      RegNode* node = tree;
      for (const std::string& name : change.path) {
        if (!node) break;
        bool added;
        node = change.kind == PendingChange::kCreateKey ? node->FindOrAddChild(name, &added)
                                                        : node->FindChild(name);
      }
      if (!node) continue;
      switch (change.kind) {
        case PendingChange::kCreateKey:
          break;
        case PendingChange::kSetValue:
          node->SetValue(change.name, change.type, change.data);
          break;
        case PendingChange::kDeleteValue:
          node->RemoveValue(change.name);
          break;
        case PendingChange::kDeleteKey:
          if (node->parent()) node->parent()->DetachChild(node);
          break;
      }
    }
  }

  static RegNode* Walk(RegNode* node, const std::string& path) {
    ForEachKeyName(path, [&node](std::string_view name) {
      node = node->FindChild(name);
      return node != nullptr;
    });
    return node;
  }

  long NewHandle(int hive, RegNode* node, RegKey* result) {
    std::uint32_t slot;
    if (!freeSlots_.empty()) {
      slot = freeSlots_.back();
      freeSlots_.pop_back();
    } else {
      if (handles_.size() >= kMaxHandles) return kErrorNotEnoughMemory;
      slot = static_cast<std::uint32_t>(handles_.size());
      handles_.emplace_back();
    }
    Handle& handle = handles_[slot];
    handle.node = node;
    handle.hive = hive;
    handle.open = true;
    *result = (handle.serial << 16) | slot;
    return kErrorSuccess;
  }

  // Whether another process saved the hive since it was read (or, with
  // `checkFile`, whether its file changed in any way).
  bool IsStale(int h, bool checkFile) const {
    const Hive& hive = hives_[h];
    if (!hive.tree || lock_.Counter(h) != hive.seenCounter) return true;
    return checkFile && StampOfFile(hive.source) != hive.stamp;
  }

  // Brings the hive up to date. Inside ApplyAsOneWrite the lock is held and
  // nothing can change.
  void Refresh(int h, bool checkFile) {
    if (batchDepth_ > 0 || !IsStale(h, checkFile)) return;
    if (lock_.held() == LockMode::kExclusive) {
      Reload(h);  // a writer: no other save can be under way
    } else {
      ReloadTogether();
    }
  }

  // A reader's load: every hive that changed is read under the shared lock,
  // so both come from one moment and never from the middle of a change of
  // both hives. A change whose writer stopped after its commit point is
  // completed first; where the machine cannot be written, its staged files
  // are read instead.
  void ReloadTogether() {
    RegistryLockScope scope(lock_, LockMode::kShared);
    if (commit_.Pending()) {
      lock_.Acquire(LockMode::kExclusive);
      CompletePending();
      lock_.Acquire(LockMode::kShared);
    }
    for (int h = 0; h < kHiveCount; ++h) {
      if (IsStale(h, true)) Reload(h);
    }
  }

  // Completes a pending change of both hives (the exclusive lock is held),
  // so that other processes read the hives it renames. False when the
  // machine cannot be written and the change stays pending.
  bool CompletePending() {
    if (!commit_.Pending()) return true;
    if (!lock_.writable()) return false;
    std::vector<std::string> completed;
    const bool done = commit_.Complete(&completed);
    for (int h = 0; h < kHiveCount; ++h) {
      for (const std::string& name : completed) {
        if (name == hives_[h].name) lock_.Advance(h);
      }
    }
    return done;
  }

  // Reads the hive's committed file again and moves the open handles of that
  // hive to the same paths in the new tree. Throws MachineError (the tree in
  // memory stays) when the file cannot be read or parsed.
  void Reload(int h) {
    Hive& hive = hives_[h];
    std::uint64_t counter = lock_.Counter(h);  // read first: a later save is seen next time
    FileStamp stamp;
    std::string source = commit_.CommittedPath(hive.name);
    std::unique_ptr<RegNode> tree = LoadHiveFile(source, hive.root, &stamp);
    Replay(h, tree.get());
    if (hive.tree) {
      std::vector<const std::string*> names;
      for (Handle& handle : handles_) {
        if (!handle.open || handle.hive != h || !handle.node) continue;
        names.clear();
        for (RegNode* n = handle.node; n->parent(); n = n->parent()) names.push_back(&n->name());
        RegNode* node = tree.get();
        for (auto it = names.rbegin(); node && it != names.rend(); ++it) {
          node = node->FindChild(**it);
        }
        handle.node = node;
      }
    }
    hive.tree = std::move(tree);
    hive.source = std::move(source);
    hive.stamp = stamp;
    hive.seenCounter = counter;
    hive.dirty = false;
  }

  // Saves the hives as one (HiveCommit); the exclusive lock is held. False,
  // with none of them saved, when any cannot be.
  bool Save(const std::vector<int>& hives) {
    if (!lock_.writable()) return false;
    // A save cut short may have left a staged file of a hive this save
    // does not stage (a staged hive replaces its own).
    commit_.DiscardLeft({hives_[0].name, hives_[1].name});
    std::vector<std::string> names;
    FileStamp stamps[kHiveCount];
    for (int h : hives) {
      Hive& hive = hives_[h];
      std::string text;
      text.reserve(lastTextSize_[h] + lastTextSize_[h] / 8 + 256);
      WriteHiveText(*hive.tree, hive.root, &text);
      lastTextSize_[h] = text.size();
      if (!commit_.Stage(hive.name, text, &stamps[h])) {
        commit_.Discard(names);
        return false;
      }
      names.push_back(hive.name);
    }
    if (!commit_.Commit(names)) return false;
    for (int h : hives) {
      Hive& hive = hives_[h];
      hive.source = commit_.HivePath(hive.name);
      hive.stamp = stamps[h];
      hive.seenCounter = lock_.Advance(h);
      hive.dirty = false;
    }
    return true;
  }

  // Runs a change under the lock on the hive of `key`, reloaded first if
  // another process or a hand edit changed its file.
  // `apply(hive, node, &changed)` returns the result code; when it reports a
  // change, the hive is saved (or marked for ApplyAsOneWrite), and a change
  // that cannot be saved is undone.
  template <typename F>
  long Change(RegKey key, F apply) {
    int h = HiveOf(key);
    if (h < 0) return kErrorBadKey;
    // A change held in memory needs no lock: nothing is written yet.
    const bool held = batchDepth_ == 0 && writes_ == RegistryWrites::kAtFlush;
    std::optional<RegistryLockScope> scope;
    if (batchDepth_ == 0 && !held) {
      scope.emplace(lock_, LockMode::kExclusive);
      if (!lock_.writable() || !CompletePending()) return kErrorRegistryIoFailed;
    }
    Refresh(h, true);
    RegNode* node = NodeOf(key);
    if (!node) return kErrorBadKey;
    bool changed = false;
    long result = apply(h, node, &changed);
    if (!changed || held) return result;
    if (batchDepth_ > 0) {
      hives_[h].dirty = true;
    } else if (!Save({h})) {
      Reload(h);
      return kErrorRegistryIoFailed;
    }
    return result;
  }

  EventLog& events_;
  RegistryLock lock_;
  HiveCommit commit_;
  const RegistryWrites writes_;
  std::vector<PendingChange> pending_[kHiveCount];
  Hive hives_[kHiveCount];
  std::size_t lastTextSize_[kHiveCount] = {0, 0};
  std::vector<Handle> handles_;
  std::vector<std::uint32_t> freeSlots_;
  int batchDepth_ = 0;
};

}  // namespace

std::unique_ptr<Registry> OpenSimRegistry(const std::string& machineDirectory, EventLog& events,
                                          RegistryWrites writes) {
  return std::make_unique<SimRegistry>(machineDirectory, events, writes);
}

long SaveRegistry(Registry& registry) {
  if (auto* sim = dynamic_cast<SimRegistry*>(&FaultsTarget(registry))) return sim->Sync();
  return kErrorSuccess;
}

long ApplyAsOneWrite(Registry& registry, const std::function<void()>& changes) {
  if (auto* sim = dynamic_cast<SimRegistry*>(&FaultsTarget(registry))) {
    return sim->ApplyAsOneWrite(changes);
  }
  changes();
  return kErrorSuccess;
}

}  // namespace zuba::platform::sim
