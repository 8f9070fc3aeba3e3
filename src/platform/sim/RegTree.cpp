#include "platform/sim/RegTree.h"

#include <algorithm>

#include "platform/sim/Regedit4.h"

namespace zuba::platform::sim {

std::string StoredValueData(std::uint32_t type, std::string_view data) {
  constexpr std::uint32_t kString = 1, kExpandString = 2, kMultiString = 7;
  std::string stored(type == kString ? data.substr(0, data.find('\0')) : data);
  if ((type == kString || type == kExpandString || type == kMultiString) &&
      (stored.empty() || stored.back() != '\0')) {
    stored.push_back('\0');
  }
  return stored;
}
namespace {

// Below this many entries a linear scan beats hashing.
constexpr std::size_t kIndexThreshold = 12;

// The stop a sink gives the parser once it has what it came for.
constexpr char kFound[] = "found";

// Reads a key's block: its values in order, or only the one asked for.
class BlockReader : public Regedit4Sink {
 public:
  BlockReader(std::vector<RegValueEntry>* values, std::string_view wanted = {},
              std::uint32_t* type = nullptr, std::string* data = nullptr)
      : values_(values), wanted_(wanted), type_(type), data_(data) {}

  const char* OnKey(int, RegRoot, std::string_view, bool) override { return nullptr; }
  const char* OnValue(int, std::string_view name, std::uint32_t type,
                      std::string_view data) override {
    if (values_) {
      values_->push_back(RegValueEntry{std::string(name), type, std::string(data)});
      return nullptr;
    }
    if (!NamesEqual(name, wanted_)) return nullptr;
    *type_ = type;
    data_->assign(data);
    return kFound;
  }
  const char* OnRemoveValue(int, std::string_view) override { return nullptr; }

 private:
  std::vector<RegValueEntry>* values_;
  std::string_view wanted_;
  std::uint32_t* type_;
  std::string* data_;
};

// The data of a value line as the writer writes a plain string, from its
// opening quote: its bytes, escapes undone, with the terminating zero.
// False for any other notation (the parser reads it then).
bool ReadPlainData(std::string_view rest, std::uint32_t* type, std::string* data) {
  if (rest.empty() || rest[0] != '"') return false;
  data->clear();
  for (std::size_t i = 1; i < rest.size();) {
    std::size_t run = i;
    while (run < rest.size() && !IsSpecialNameByte(rest[run])) ++run;
    data->append(rest.data() + i, run - i);
    i = run;
    if (i == rest.size()) return false;
    const char c = rest[i];
    if (CharLength(rest, i) == 2) {
      data->append(rest.data() + i, 2);
      i += 2;
    } else if (c == '"') {
      if (rest.compare(i + 1, 2, "\r\n") != 0) return false;
      data->push_back('\0');
      *type = 1;  // REG_SZ
      return true;
    } else if (c == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"')) {
      data->push_back(rest[i + 1]);
      i += 2;
    } else {
      return false;
    }
  }
  return false;
}

}  // namespace

bool ValueLineStart(std::string_view name, std::string* start) {
  start->clear();
  if (!AppendRemoveValueLine(start, name)) return false;
  start->resize(start->size() - 3);  // "name"= without -\r\n
  return true;
}

RegNode::RegNode() = default;

RegNode::RegNode(std::string_view name, RegNode* parent)
    : name_(name), parent_(parent), depth_(parent->depth_ + 1) {}

RegNode::~RegNode() = default;

RegNode* RegNode::FindChild(std::string_view name) const {
  if (childIndex_) {
    auto it = childIndex_->find(name);
    return it == childIndex_->end() ? nullptr : it->second;
  }
  for (const auto& child : children_) {
    if (NamesEqual(child->name_, name)) return child.get();
  }
  return nullptr;
}

RegNode* RegNode::AddChild(std::string_view name) {
  children_.push_back(std::unique_ptr<RegNode>(new RegNode(name, this)));
  RegNode* child = children_.back().get();
  if (childIndex_) {
    childIndex_->emplace(child->name_, child);
  } else if (children_.size() > kIndexThreshold) {
    childIndex_ = std::make_unique<ChildIndex>();
    childIndex_->reserve(children_.size() * 2);
    for (const auto& c : children_) childIndex_->emplace(c->name_, c.get());
  }
  return child;
}

RegNode* RegNode::FindOrAddChild(std::string_view name, bool* added) {
  RegNode* child = FindChild(name);
  *added = child == nullptr;
  return child ? child : AddChild(name);
}

std::unique_ptr<RegNode> RegNode::DetachChild(RegNode* child) {
  auto it = std::find_if(children_.begin(), children_.end(),
                         [child](const std::unique_ptr<RegNode>& c) { return c.get() == child; });
  if (it == children_.end()) return nullptr;
  if (childIndex_) childIndex_->erase(child->name_);
  std::unique_ptr<RegNode> detached = std::move(*it);
  children_.erase(it);
  return detached;
}

void RegNode::SetSourceBlock(std::string_view block, int firstLine) {
  block_ = block.data();
  blockSize_ = static_cast<std::uint32_t>(block.size());
  blockLine_ = firstLine;
  values_.clear();
  valueIndex_.reset();
  textCache_.clear();
  valuesMade_ = false;
}

void RegNode::MakeValuesFromBlock() const {
  valuesMade_ = true;
  // The block was parsed whole when the file was read: it cannot fail now.
  BlockReader reader(&values_);
  ParseRegedit4Part(SourceBlock(), blockLine_, reader, nullptr);
  if (values_.size() > kIndexThreshold) RebuildValueIndex();
}

bool RegNode::PeekValue(std::string_view name, std::uint32_t* type, std::string* data) const {
  std::string start;
  return ValueLineStart(name, &start) && PeekValue(name, start, type, data);
}

bool RegNode::PeekValue(std::string_view name, std::string_view lineStart, std::uint32_t* type,
                        std::string* data) const {
  if (valuesMade_) {
    const RegValueEntry* entry = FindValue(name);
    if (!entry) return false;
    *type = entry->type;
    data->assign(entry->data);
    return true;
  }
  // The block is as the writer writes it: the value's line starts with its
  // name quoted so, and names that differ in case only differ there so.
  const std::string_view block = SourceBlock();
  int line = blockLine_ + 1;
  for (std::size_t pos = block.find('\n') + 1; pos < block.size(); ++line) {
    const std::string_view rest = block.substr(pos);
    if (rest.size() >= lineStart.size() && NamesEqual(rest.substr(0, lineStart.size()), lineStart)) {
      if (ReadPlainData(rest.substr(lineStart.size()), type, data)) return true;
      BlockReader reader(nullptr, name, type, data);
      Regedit4Error stop;
      return !ParseRegedit4Part(rest, line, reader, &stop, true) && stop.message == kFound;
    }
    const std::size_t lf = rest.find('\n');
    if (lf == std::string_view::npos) break;
    pos += lf + 1;
  }
  return false;
}

std::ptrdiff_t RegNode::FindValueIndex(std::string_view name) const {
  MakeValues();
  if (valueIndex_) {
    auto it = valueIndex_->find(std::string(name));
    return it == valueIndex_->end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
  }
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (NamesEqual(values_[i].name, name)) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

const RegValueEntry* RegNode::FindValue(std::string_view name) const {
  std::ptrdiff_t i = FindValueIndex(name);
  return i < 0 ? nullptr : &values_[i];
}

bool RegNode::SetValue(std::string_view name, std::uint32_t type, std::string_view data) {
  std::ptrdiff_t i = FindValueIndex(name);
  if (i >= 0) {
    RegValueEntry& entry = values_[i];
    if (entry.type == type && entry.data == data) return false;
    DropBlock();
    entry.type = type;
    entry.data.assign(data);
    return true;
  }
  DropBlock();
  values_.push_back(RegValueEntry{std::string(name), type, std::string(data)});
  if (valueIndex_) {
    valueIndex_->emplace(values_.back().name, values_.size() - 1);
  } else if (values_.size() > kIndexThreshold) {
    RebuildValueIndex();
  }
  return true;
}

void RegNode::SetValues(std::vector<RegValueEntry>* entries) {
  MakeValues();
  bool distinct = values_.empty();
  for (std::size_t i = 0; distinct && i < entries->size(); ++i) {
    for (std::size_t j = 0; distinct && j < i; ++j) {
      distinct = !NamesEqual((*entries)[i].name, (*entries)[j].name);
    }
  }
  if (!distinct || entries->size() > kIndexThreshold) {
    for (const RegValueEntry& e : *entries) SetValue(e.name, e.type, e.data);
  } else if (!entries->empty()) {
    DropBlock();
    values_.reserve(entries->size());
    for (RegValueEntry& e : *entries) values_.push_back(std::move(e));
  }
  entries->clear();
}

bool RegNode::RemoveValue(std::string_view name) {
  std::ptrdiff_t i = FindValueIndex(name);
  if (i < 0) return false;
  DropBlock();
  values_.erase(values_.begin() + i);
  if (valueIndex_) RebuildValueIndex();
  return true;
}

void RegNode::RebuildValueIndex() const {
  valueIndex_ = std::make_unique<ValueIndex>();
  valueIndex_->reserve(values_.size() * 2);
  for (std::size_t i = 0; i < values_.size(); ++i) valueIndex_->emplace(values_[i].name, i);
}

bool RegNode::Contains(const RegNode* node) const {
  for (; node; node = node->parent_) {
    if (node == this) return true;
  }
  return false;
}

}  // namespace zuba::platform::sim
