#include "platform/sim/HiveIndex.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "platform/sim/RegName.h"

namespace zuba::platform::sim {
namespace {

constexpr std::string_view kHeader = "REGEDIT4\r\n\r\n";
constexpr std::string_view kLineBreak = "\r\n";
// A key with more values is built whole: the indexer's check that the
// names are distinct compares each with each.
constexpr std::size_t kMaxIndexedValues = 64;
constexpr char kTaken[] = "taken";

bool IsHexDigitLower(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// The end of the quoted text that starts at line[begin] (just after its
// opening quote), when the writer would have quoted its content so: every
// backslash and quote outside a double-byte character escaped, no CR or
// zero byte, no lone lead byte before the closing quote. Its closing
// quote's position, or npos.
std::size_t QuotedAsWritten(std::string_view line, std::size_t begin) {
  for (std::size_t i = begin; i < line.size();) {
    const char c = line[i];
    if (!IsSpecialNameByte(c)) {
      ++i;
    } else if (IsLeadByte(c)) {
      if (i + 1 < line.size() && IsTrailByte(line[i + 1])) {
        i += 2;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        return std::string_view::npos;
      } else {
        ++i;
      }
    } else if (c == '"') {
      return i;
    } else if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
      i += 2;
    } else {
      return std::string_view::npos;  // a lone backslash, CR, LF or zero byte
    }
  }
  return std::string_view::npos;
}

// The value line at the start of `rest` when it is in one of the two
// notations most values have, exactly as the writer writes them:
// "name"="text" and "name"=dword:xxxxxxxx (@= for the default value).
// Its length with the line break and its name as quoted there ("@" for the
// default value), or 0 for any other line (the parser reads it then).
std::size_t PlainValueLine(std::string_view rest, std::string_view* name) {
  const void* lf = std::memchr(rest.data(), '\n', rest.size());
  if (!lf) return 0;
  const std::size_t length = static_cast<const char*>(lf) - rest.data() + 1;
  if (length < 4 || rest[length - 2] != '\r') return 0;
  const std::string_view line = rest.substr(0, length - 2);
  std::size_t i = 1;
  if (line[0] == '"') {
    const std::size_t close = QuotedAsWritten(line, 1);
    if (close == std::string_view::npos || close == 1) return 0;  // "" is written @
    i = close + 1;
  }
  *name = line.substr(0, i);
  if (i >= line.size() || line[i] != '=') return 0;
  const std::string_view data = line.substr(i + 1);
  if (!data.empty() && data.front() == '"') {
    return QuotedAsWritten(line, i + 2) == line.size() - 1 ? length : 0;
  }
  if (data.size() != 14 || data.compare(0, 6, "dword:") != 0) return 0;
  for (std::size_t d = 6; d < 14; ++d) {
    if (!IsHexDigitLower(data[d])) return 0;
  }
  return length;
}

// Reads one value line (with its continuation lines) that PlainValueLine
// left: its name, type and data, and the text it stands on.
class OneValue : public Regedit4Sink {
 public:
  const char* OnKey(int, RegRoot, std::string_view, bool) override { return "key"; }
  const char* OnValue(int, std::string_view name, std::uint32_t type,
                      std::string_view data) override {
    name_.assign(name);
    type_ = type;
    data_.assign(data);
    raw_ = rawText;
    return kTaken;
  }
  const char* OnRemoveValue(int, std::string_view) override { return "removal"; }

  // True when `text` starts with a value line; `*length` is its extent.
  bool Read(std::string_view text, std::size_t* length) {
    Regedit4Error stop;
    if (ParseRegedit4Part(text, 1, *this, &stop, true) || stop.message != kTaken) return false;
    *length = raw_.size();
    return true;
  }
  const std::string& name() const { return name_; }
  std::uint32_t type() const { return type_; }
  const std::string& data() const { return data_; }
  std::string_view raw() const { return raw_; }

 private:
  std::string name_;
  std::uint32_t type_ = 0;
  std::string data_;
  std::string_view raw_;
};

// Goes through the text line by line, building the keys and checking that
// every byte is where the writer would have put it. Keys come depth first,
// so each key line names a child of the previous key or of one of its
// ancestors: the nodes of the previous path are at hand.
class HiveIndexer {
 public:
  HiveIndexer(std::string_view text, RegRoot root, RegNode* tree)
      : text_(text), rootName_(RegRootName(root)), tree_(tree) {}

  bool Run() {
    std::size_t pos = kHeader.size();
    int line = 3;
    if (!KeyLine(pos, line, &pos)) return false;
    while (pos < text_.size()) {
      ++line;
      const char c = text_[pos];
      std::string_view name;
      if (c == '"' || c == '@') {
        std::size_t length = PlainValueLine(text_.substr(pos), &name);
        if (length == 0) {
          if (!other_.Read(text_.substr(pos), &length) || !AsWritten(&name)) return false;
          for (std::size_t at = 0; at + 1 < length; ++at) line += text_[pos + at] == '\n';
        }
        if (!NewName(name)) return false;
        pos += length;
        continue;
      }
      // The empty line that ends the key's block, then the next key or the end.
      if (text_.compare(pos, kLineBreak.size(), kLineBreak) != 0) return false;
      pos += kLineBreak.size();
      current_->SetSourceBlock(text_.substr(blockBegin_, pos - blockBegin_), blockLine_);
      if (pos == text_.size()) return true;
      if (!KeyLine(pos, ++line, &pos)) return false;
    }
    return false;  // the last block lacks its empty line
  }

 private:
  // The value the parser read is one the writer writes so; `*name` is its
  // name as quoted there.
  bool AsWritten(std::string_view* name) {
    scratch_.clear();
    AppendValueLine(&scratch_, other_.name(), other_.type(), other_.data());
    if (scratch_ != other_.raw()) return false;
    scratch_.clear();
    AppendRemoveValueLine(&scratch_, other_.name());  // "name"=-
    *name = other_.raw().substr(0, scratch_.size() - 4);
    return true;
  }

  // Keeps the key's value names distinct. Names are compared as quoted by
  // the writer: two names differ in case only when their quoted forms do.
  bool NewName(std::string_view name) {
    if (nameCount_ == kMaxIndexedValues) return false;
    for (std::size_t i = 0; i < nameCount_; ++i) {
      if (NamesEqual(names_[i], name)) return false;
    }
    if (nameCount_ == names_.size()) names_.emplace_back();
    names_[nameCount_++] = name;
    return true;
  }

  // "[ROOT]" (the first) or "[ROOT\path]" with its line break, the path's
  // names each valid and between single backslashes, naming a new key.
  bool KeyLine(std::size_t pos, int line, std::size_t* next) {
    const void* lf = std::memchr(text_.data() + pos, '\n', text_.size() - pos);
    if (!lf) return false;
    const std::size_t end = static_cast<const char*>(lf) - text_.data() + 1;
    const std::string_view raw = text_.substr(pos, end - pos);
    const std::size_t head = 1 + rootName_.size();
    if (raw.size() < head + 3 || raw[0] != '[' || raw.compare(1, rootName_.size(), rootName_) != 0 ||
        raw.compare(raw.size() - 3, 3, "]\r\n") != 0) {
      return false;
    }
    RegNode* node = tree_;
    if (raw.size() == head + 3) {
      if (current_) return false;  // the root's block comes first, once
    } else {
      if (!current_ || raw[head] != '\\') return false;
      node = AddKey(raw.substr(head + 1, raw.size() - head - 4));
      if (!node) return false;
    }
    current_ = node;
    blockBegin_ = pos;
    blockLine_ = line;
    nameCount_ = 0;
    *next = end;
    return true;
  }

  // A new child of a key of the previous path, named there exactly as in
  // this line: the path is the previous one's first names, a backslash
  // and one valid name. The names before it were checked on their lines.
  RegNode* AddKey(std::string_view path) {
    std::size_t shared = previousEnds_.size();
    for (; shared > 0; --shared) {
      const std::size_t end = previousEnds_[shared - 1];
      if (path.size() > end && path[end] == '\\' && path.compare(0, end, previousPath_, 0, end) == 0) {
        break;
      }
    }
    const std::size_t begin = shared == 0 ? 0 : previousEnds_[shared - 1] + 1;
    const std::string_view name = path.substr(begin);
    if (!IsValidKeyName(name) || shared + 1 > kMaxKeyDepth) return nullptr;
    RegNode* parent = shared == 0 ? tree_ : previousNodes_[shared - 1];
    if (parent->FindChild(name)) return nullptr;
    RegNode* node = parent->AddChild(name);
    previousNodes_.resize(shared);
    previousNodes_.push_back(node);
    previousEnds_.resize(shared);
    previousEnds_.push_back(path.size());
    previousPath_ = path;  // a view into the text, which stays
    return node;
  }

  std::string_view text_;
  std::string_view rootName_;
  RegNode* tree_;
  RegNode* current_ = nullptr;
  std::size_t blockBegin_ = 0;
  int blockLine_ = 0;
  std::string_view previousPath_;         // the path of the previous key line
  std::vector<std::size_t> previousEnds_;  // where each of its names ends in it
  std::vector<RegNode*> previousNodes_;
  std::vector<std::string_view> names_;  // the current key's value names so far, as quoted
  std::size_t nameCount_ = 0;
  OneValue other_;
  std::string scratch_;
};

}  // namespace

std::unique_ptr<RegNode> IndexHiveText(std::string* text, RegRoot root) {
  if (text->compare(0, kHeader.size(), kHeader) != 0) return nullptr;
  auto tree = std::make_unique<RegNode>();
  tree->TakeSource(std::move(*text));
  if (HiveIndexer(tree->Source(), root, tree.get()).Run()) return tree;
  *text = tree->ReleaseSource();
  return nullptr;
}

}  // namespace zuba::platform::sim
