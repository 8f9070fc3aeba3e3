// Fuzzes the REGEDIT4 parser. Beyond "no crash, no undefined behaviour":
// - an error names a line of the text;
// - whatever parses is written back with the writer and parses again into
//   exactly the same calls (the writer and the parser agree on escapes,
//   double-byte characters and hex wrapping);
// - the parsed keys and values, built into a key tree, can be found again by
//   their names in any ASCII case.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/RegName.h"
#include "platform/sim/RegTree.h"
#include "platform/sim/Regedit4.h"

namespace zuba::platform::sim {
namespace {

struct Call {
  enum Kind { kKey, kRemoveKey, kValue, kRemoveValue } kind;
  RegRoot root;
  std::string text;  // key path or value name
  std::uint32_t type;
  std::string data;
  bool operator==(const Call& o) const {
    return kind == o.kind && root == o.root && text == o.text && type == o.type && data == o.data;
  }
};

class Recorder : public Regedit4Sink {
 public:
  const char* OnKey(int, RegRoot root, std::string_view path, bool remove) override {
    calls.push_back({remove ? Call::kRemoveKey : Call::kKey, root, std::string(path), 0, ""});
    return nullptr;
  }
  const char* OnValue(int, std::string_view name, std::uint32_t type,
                      std::string_view data) override {
    calls.push_back(
        {Call::kValue, RegRoot::kLocalMachine, std::string(name), type, std::string(data)});
    return nullptr;
  }
  const char* OnRemoveValue(int, std::string_view name) override {
    calls.push_back({Call::kRemoveValue, RegRoot::kLocalMachine, std::string(name), 0, ""});
    return nullptr;
  }
  std::vector<Call> calls;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string FlipCase(std::string_view name) {
  std::string flipped(name);
  for (std::size_t i = 0; i < flipped.size(); i += CharLength(flipped, i)) {
    char& c = flipped[i];
    if (CharLength(flipped, i) == 2) continue;
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 32);
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c + 32);
    }
  }
  return flipped;
}

void CheckTree(const RegNode& node) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const RegNode* child = node.Child(i);
    Check(node.FindChild(child->name()) == child);
    Check(node.FindChild(FlipCase(child->name())) == child);
    CheckTree(*child);
  }
  for (std::size_t i = 0; i < node.ValueCount(); ++i) {
    const RegValueEntry& value = node.Value(i);
    Check(node.FindValue(value.name) == &value);
    Check(node.FindValue(FlipCase(value.name)) == &value);
  }
}

void BuildTree(const std::vector<Call>& calls) {
  RegNode roots[6];
  RegNode* current = nullptr;
  for (const Call& call : calls) {
    switch (call.kind) {
      case Call::kKey:
        current = &roots[static_cast<int>(call.root)];
        ForEachKeyName(call.text, [&current](std::string_view name) {
          bool added;
          current = current->FindOrAddChild(name, &added);
          return true;
        });
        break;
      case Call::kRemoveKey: {
        RegNode* node = &roots[static_cast<int>(call.root)];
        ForEachKeyName(call.text, [&node](std::string_view name) {
          node = node->FindChild(name);
          return node != nullptr;
        });
        if (node && node->parent()) node->parent()->RemoveChild(node);
        current = nullptr;
        break;
      }
      case Call::kValue:
        current->SetValue(call.text, call.type, call.data);
        break;
      case Call::kRemoveValue:
        current->RemoveValue(call.text);
        break;
    }
  }
  for (const RegNode& root : roots) CheckTree(root);
}

}  // namespace
}  // namespace zuba::platform::sim

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zuba::platform::sim;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  Recorder first;
  Regedit4Error error;
  if (!ParseRegedit4(text, first, &error)) {
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    Check(error.line >= 1 && static_cast<std::size_t>(error.line) <= lines);
    Check(!error.message.empty());
    return 0;
  }
  std::string written;
  AppendRegedit4Header(&written);
  for (const Call& call : first.calls) {
    std::string path(RegRootName(call.root));
    switch (call.kind) {
      case Call::kKey:
      case Call::kRemoveKey:
        if (!call.text.empty()) path += "\\" + call.text;
        AppendKeyLine(&written, path, call.kind == Call::kRemoveKey);
        break;
      case Call::kValue:
        Check(AppendValueLine(&written, call.text, call.type, call.data));
        break;
      case Call::kRemoveValue:
        Check(AppendRemoveValueLine(&written, call.text));
        break;
    }
  }
  Recorder second;
  Check(ParseRegedit4(written, second, &error));
  Check(second.calls == first.calls);
  BuildTree(first.calls);
  return 0;
}
