#include "platform/VersionResource.h"

#include <cstddef>
#include <stdexcept>

#include "platform/TextCodec.h"

namespace zuba::platform {
namespace {

constexpr char kRootKey[] = "VS_VERSION_INFO";
constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;
constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kMaxNodeBytes = 0xFFFF;

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

void PutWord(std::string* out, std::uint16_t word) {
  out->push_back(static_cast<char>(word & 0xFF));
  out->push_back(static_cast<char>(word >> 8));
}

void PutDword(std::string* out, std::uint32_t dword) {
  PutWord(out, static_cast<std::uint16_t>(dword & 0xFFFF));
  PutWord(out, static_cast<std::uint16_t>(dword >> 16));
}

std::uint16_t GetWord(const std::string& block, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(block[at]) |
                                    static_cast<unsigned char>(block[at + 1]) << 8);
}

void PadTo4(std::string* out) {
  while (out->size() % 4 != 0) out->push_back('\0');
}

// UTF-8 to UTF-16 code units; the input is well-formed (it comes from iconv).
std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    std::uint32_t cp = c;
    std::size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra > 0) cp = c & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra && i + k < text.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

void AppendUtf8(std::string* out, std::uint32_t cp) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// UTF-16 code units to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t cp = text[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(&out, cp);
  }
  return out;
}

std::u16string Cp932ToUtf16(const std::string& text) {
  bool exact = true;
  std::string utf8 = Cp932ToUtf8(text, &exact);
  if (!exact) throw std::invalid_argument("version text is not CP932: " + utf8);
  return Utf8ToUtf16(utf8);
}

std::string Utf16ToCp932(const std::u16string& text) { return Utf8ToCp932(Utf16ToUtf8(text)); }

// One node: header, key, value and children, each child 32-bit aligned.
std::string MakeNode(const std::string& key, std::uint16_t type, const std::string& value,
                     std::uint16_t valueLength, const std::vector<std::string>& children) {
  std::string out(kHeaderBytes, '\0');
  for (char16_t unit : Cp932ToUtf16(key)) PutWord(&out, unit);
  PutWord(&out, 0);
  PadTo4(&out);
  out += value;
  for (const std::string& child : children) {
    PadTo4(&out);
    out += child;
  }
  if (out.size() > kMaxNodeBytes) throw std::invalid_argument("version node too long: " + key);
  std::string header;
  PutWord(&header, static_cast<std::uint16_t>(out.size()));
  PutWord(&header, valueLength);
  PutWord(&header, type);
  out.replace(0, kHeaderBytes, header);
  return out;
}

std::string TextNode(const std::string& key, const std::string& text) {
  std::u16string units = Cp932ToUtf16(text);
  std::string value;
  for (char16_t unit : units) PutWord(&value, unit);
  PutWord(&value, 0);
  if (units.size() + 1 > kMaxNodeBytes) throw std::invalid_argument("version text too long");
  return MakeNode(key, kText, value, static_cast<std::uint16_t>(units.size() + 1), {});
}

std::string FixedInfoBytes(const FixedFileInfo& fixed) {
  std::string out;
  auto pair = [&](const std::array<std::uint16_t, 4>& v) {
    PutDword(&out, static_cast<std::uint32_t>(v[0]) << 16 | v[1]);
    PutDword(&out, static_cast<std::uint32_t>(v[2]) << 16 | v[3]);
  };
  PutDword(&out, kFixedFileInfoSignature);
  PutDword(&out, 0x00010000);  // structure version 1.0
  pair(fixed.fileVersion);
  pair(fixed.productVersion);
  PutDword(&out, fixed.fileFlagsMask);
  PutDword(&out, fixed.fileFlags);
  PutDword(&out, fixed.fileOs);
  PutDword(&out, fixed.fileType);
  PutDword(&out, fixed.fileSubtype);
  PutDword(&out, 0);  // file date, high
  PutDword(&out, 0);  // file date, low
  return out;
}

// A node read from a block: where its parts lie.
struct NodeView {
  std::size_t end = 0;  // offset after the node
  std::uint16_t valueLength = 0;
  std::uint16_t type = 0;
  std::u16string key;
  std::size_t valueStart = 0;
  std::size_t valueBytes = 0;
  std::size_t childrenStart = 0;
};

// Reads the node at `start`, which must lie within [start, limit). False
// when it does not fit or its parts overlap.
bool ReadNode(const std::string& block, std::size_t start, std::size_t limit, NodeView* node) {
  if (start + kHeaderBytes > limit) return false;
  std::size_t length = GetWord(block, start);
  if (length < kHeaderBytes || start + length > limit) return false;
  node->end = start + length;
  node->valueLength = GetWord(block, start + 2);
  node->type = GetWord(block, start + 4);
  node->key.clear();
  std::size_t at = start + kHeaderBytes;
  for (;; at += 2) {
    if (at + 2 > node->end) return false;
    char16_t unit = GetWord(block, at);
    if (unit == 0) break;
    node->key.push_back(unit);
  }
  node->valueStart = Align4(at + 2);
  node->valueBytes = node->type == kText ? std::size_t{node->valueLength} * 2 : node->valueLength;
  if (node->valueBytes > 0 && node->valueStart + node->valueBytes > node->end) return false;
  node->childrenStart = Align4(node->valueStart + node->valueBytes);
  return true;
}

bool SameKey(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
    char16_t y = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 32 : b[i];
    if (x != y) return false;
  }
  return true;
}

// The child of `parent` whose key is `key`.
bool FindChild(const std::string& block, const NodeView& parent, const std::u16string& key,
               NodeView* child) {
  for (std::size_t at = parent.childrenStart; at + kHeaderBytes <= parent.end;) {
    if (!ReadNode(block, at, parent.end, child)) return false;
    if (SameKey(child->key, key)) return true;
    at = Align4(child->end);
  }
  return false;
}

}  // namespace

std::string BuildVersionBlock(const VersionResource& resource) {
  std::vector<std::string> children;
  if (!resource.stringTables.empty()) {
    std::vector<std::string> tables;
    for (const VersionStringTable& table : resource.stringTables) {
      std::vector<std::string> strings;
      for (const auto& [name, text] : table.strings) strings.push_back(TextNode(name, text));
      tables.push_back(MakeNode(table.key, kText, "", 0, strings));
    }
    children.push_back(MakeNode("StringFileInfo", kText, "", 0, tables));
  }
  if (resource.hasVarFileInfo) {
    std::string pairs;
    for (std::uint32_t translation : resource.translations) PutDword(&pairs, translation);
    std::vector<std::string> vars{
        MakeNode("Translation", kBinary, pairs, static_cast<std::uint16_t>(pairs.size()), {})};
    children.push_back(MakeNode("VarFileInfo", kText, "", 0, vars));
  }
  std::string fixed = FixedInfoBytes(resource.fixed);
  return MakeNode(kRootKey, kBinary, fixed, static_cast<std::uint16_t>(fixed.size()), children);
}

bool QueryVersionValue(const std::string& block, const std::string& subBlock, std::string* data,
                       std::uint32_t* length) {
  NodeView node;
  if (!ReadNode(block, 0, block.size(), &node) || !SameKey(node.key, Utf8ToUtf16(kRootKey))) {
    return false;
  }
  std::size_t at = 0;
  while (at < subBlock.size()) {
    std::size_t next = subBlock.find('\\', at);
    if (next == std::string::npos) next = subBlock.size();
    if (next > at) {
      std::u16string key = Utf8ToUtf16(Cp932ToUtf8(subBlock.substr(at, next - at)));
      NodeView child;
      if (!FindChild(block, node, key, &child)) return false;
      node = child;
    }
    at = next + 1;
  }
  if (node.valueBytes == 0) return false;
  if (node.type == kText) {
    std::u16string units;
    for (std::size_t i = 0; i < node.valueBytes; i += 2) {
      char16_t unit = GetWord(block, node.valueStart + i);
      if (unit == 0) break;
      units.push_back(unit);
    }
    *data = Utf16ToCp932(units);
    data->push_back('\0');
  } else {
    *data = block.substr(node.valueStart, node.valueBytes);
  }
  *length = static_cast<std::uint32_t>(data->size());
  return true;
}

}  // namespace zuba::platform
