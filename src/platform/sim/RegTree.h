// The in-memory key tree of one registry hive. Keys and values keep the
// order they were created in and the case they were created with; lookups
// ignore case (RegName). Large keys get a hash index, small ones are
// scanned.
//
// A key read from a hive file may keep its block of the file's text (its
// key line, its value lines and the empty line after them) instead of its
// values: they are made from the block when first asked for, and while no
// value of the key changes, a save writes the block as it was read.
#ifndef ZUBA_PLATFORM_SIM_REGTREE_H_
#define ZUBA_PLATFORM_SIM_REGTREE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sim/RegName.h"

namespace zuba::platform::sim {

struct RegValueEntry {
  std::string name;
  std::uint32_t type = 0;
  std::string data;
};

// The data of a value set through the registry's API as the registry keeps
// it: a REG_SZ up to its first zero byte, as Windows 9x does, and REG_SZ,
// REG_EXPAND_SZ and REG_MULTI_SZ data always ending in a zero byte, as a
// hive file's loader completes it, so that it loads back unchanged.
std::string StoredValueData(std::uint32_t type, std::string_view data);

// `"name"=` (`@=` for the default value): how the hive writer starts the
// value's line. False for a name no value can have.
bool ValueLineStart(std::string_view name, std::string* start);

class RegNode {
 public:
  // A root node: no name, no parent.
  RegNode();
  RegNode(const RegNode&) = delete;
  RegNode& operator=(const RegNode&) = delete;
  ~RegNode();

  const std::string& name() const { return name_; }
  RegNode* parent() const { return parent_; }
  // Levels below the root: 0 for the root itself.
  std::size_t depth() const { return depth_; }

  std::size_t ChildCount() const { return children_.size(); }
  RegNode* Child(std::size_t index) const { return children_[index].get(); }
  // The child of that name, or nullptr.
  RegNode* FindChild(std::string_view name) const;
  // Appends a new child; the caller has made sure no child has that name.
  RegNode* AddChild(std::string_view name);
  // The child of that name, added when missing (`*added` tells which).
  RegNode* FindOrAddChild(std::string_view name, bool* added);
  // Removes `child` with its whole subtree.
  void RemoveChild(RegNode* child) { DetachChild(child); }
  // Takes `child` with its subtree out of the tree and hands it over; its
  // parent() still names this node. nullptr when it is not a child.
  std::unique_ptr<RegNode> DetachChild(RegNode* child);

  std::size_t ValueCount() const {
    MakeValues();
    return values_.size();
  }
  const RegValueEntry& Value(std::size_t index) const {
    MakeValues();
    return values_[index];
  }
  // The value of that name, or nullptr.
  const RegValueEntry* FindValue(std::string_view name) const;
  // Creates the value at the end or replaces type and data in place.
  // Returns false when the value already held exactly that.
  bool SetValue(std::string_view name, std::uint32_t type, std::string_view data);
  // SetValue for each entry in order, the entries moved out of `*entries`
  // (which is left empty, its memory kept for the next use). A key without
  // values that gets entries of different names (a hive file's key) takes
  // them in one step.
  void SetValues(std::vector<RegValueEntry>* entries);
  // Returns false when there was no such value.
  bool RemoveValue(std::string_view name);

  // The value of that name, found without making the key's values (a
  // search through many keys reads one value of each): its type and data.
  // False when there is none.
  bool PeekValue(std::string_view name, std::uint32_t* type, std::string* data) const;
  // The same for many keys: `lineStart` is the value's line as the writer
  // starts it (ValueLineStart), made once for them all.
  bool PeekValue(std::string_view name, std::string_view lineStart, std::uint32_t* type,
                 std::string* data) const;

  // Gives the key its block of a hive file's text, which must hold exactly
  // what the hive writer makes of the key: REGEDIT4 text that parses, its
  // value names distinct. `firstLine` is the block's line number in the
  // file. The text must outlive the key (the root keeps it: TakeSource).
  // The key's values are made from the block when first asked for.
  void SetSourceBlock(std::string_view block, int firstLine);
  // The block while it still holds the key's text: empty for a key not read
  // from a file and once a value changed.
  std::string_view SourceBlock() const { return std::string_view(block_, blockSize_); }
  // The hive file's text the blocks of this tree view, kept by the root.
  void TakeSource(std::string text) { source_ = std::move(text); }
  std::string ReleaseSource() { return std::move(source_); }
  const std::string& Source() const { return source_; }

  // True when `this` is `node` or one of its ancestors.
  bool Contains(const RegNode* node) const;

  // Room for the hive writer to keep this key's own text (its key line and
  // values) between saves; emptied whenever a value of the key changes.
  std::string& TextCache() const { return textCache_; }

 private:
  RegNode(std::string_view name, RegNode* parent);
  std::ptrdiff_t FindValueIndex(std::string_view name) const;
  void RebuildValueIndex() const;
  // Makes the values from the block, once.
  void MakeValues() const {
    if (!valuesMade_) MakeValuesFromBlock();
  }
  void MakeValuesFromBlock() const;
  // A value changes: the block no longer holds the key's text.
  void DropBlock() {
    MakeValues();
    block_ = nullptr;
    blockSize_ = 0;
    textCache_.clear();
  }

  using ChildIndex = std::unordered_map<std::string_view, RegNode*, NameHashFn, NameEqualFn>;
  using ValueIndex = std::unordered_map<std::string, std::size_t, NameHashFn, NameEqualFn>;

  std::string name_;
  RegNode* parent_ = nullptr;
  std::size_t depth_ = 0;
  std::vector<std::unique_ptr<RegNode>> children_;
  std::unique_ptr<ChildIndex> childIndex_;  // once the key has many children
  mutable std::vector<RegValueEntry> values_;
  mutable std::unique_ptr<ValueIndex> valueIndex_;  // once the key has many values
  mutable std::string textCache_;
  const char* block_ = nullptr;  // the key's block of the file's text (SetSourceBlock)
  std::uint32_t blockSize_ = 0;
  int blockLine_ = 0;
  mutable bool valuesMade_ = true;  // false while the values are only in the block
  std::string source_;              // the root's: the text the blocks view
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGTREE_H_
