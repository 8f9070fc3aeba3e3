// Fuzzes the hive loader and writer together. Whatever loads as a hive of
// HKEY_LOCAL_MACHINE (or HKEY_CURRENT_USER) is written, loaded and written
// again, and the two texts must be equal. Then a value taken from the input
// is set (as the registry stores it) on a key the input chooses and the hive
// is written again: the text written from the kept key texts must equal the
// text of a fresh load with the same change, and must load and write back
// to itself. The writer's text is also read on demand (HiveIndex): it must
// be indexed, give the same keys and values, and write back the same text,
// before and after the change; an input that is indexed as it stands must
// be the writer's text already.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/HiveFile.h"
#include "platform/sim/HiveIndex.h"
#include "platform/sim/RegName.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {
namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::unique_ptr<RegNode> Load(std::string_view text, RegRoot root) {
  try {
    return ParseHiveText(text, root, "fuzz");
  } catch (const MachineError&) {
    return nullptr;
  }
}

std::string Write(const RegNode& tree, RegRoot root) {
  std::string text;
  WriteHiveText(tree, root, &text);
  return text;
}

// The keys depth first, as the writer walks them.
void Walk(RegNode* node, std::vector<RegNode*>* nodes) {
  nodes->push_back(node);
  for (std::size_t i = 0; i < node->ChildCount(); ++i) Walk(node->Child(i), nodes);
}

// The path of names from the root to `node`.
std::vector<std::string> PathOf(const RegNode* node) {
  std::vector<std::string> names;
  for (; node->parent(); node = node->parent()) names.insert(names.begin(), node->name());
  return names;
}

RegNode* Follow(RegNode* root, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    root = root->FindChild(name);
    Check(root != nullptr);
  }
  return root;
}

}  // namespace
}  // namespace zuba::platform::sim

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zuba::platform::sim;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RegRoot root = RegRoot::kLocalMachine;
  std::unique_ptr<RegNode> tree = Load(text, root);
  if (!tree) {
    root = RegRoot::kCurrentUser;
    tree = Load(text, root);
  }
  if (!tree) return 0;

  const std::string first = Write(*tree, root);
  std::unique_ptr<RegNode> again = Load(first, root);
  Check(again != nullptr);
  Check(Write(*again, root) == first);

  std::string input(text);
  if (IndexHiveText(&input, root)) Check(text == first);
  std::string copy = first;
  std::unique_ptr<RegNode> indexed = IndexHiveText(&copy, root);
  Check(indexed != nullptr);
  Check(Write(*indexed, root) == first);
  std::vector<RegNode*> wholeNodes, indexedNodes;
  Walk(again.get(), &wholeNodes);
  Walk(indexed.get(), &indexedNodes);
  Check(wholeNodes.size() == indexedNodes.size());
  for (std::size_t i = 0; i < wholeNodes.size(); ++i) {
    Check(wholeNodes[i]->name() == indexedNodes[i]->name());
    Check(wholeNodes[i]->ValueCount() == indexedNodes[i]->ValueCount());
    for (std::size_t v = 0; v < wholeNodes[i]->ValueCount(); ++v) {
      const RegValueEntry& a = wholeNodes[i]->Value(v);
      const RegValueEntry& b = indexedNodes[i]->Value(v);
      Check(a.name == b.name && a.type == b.type && a.data == b.data);
    }
  }

  // A change chosen by the input: the key by the size, the type, the name
  // and the data from the input's last bytes.
  std::vector<RegNode*> nodes;
  Walk(tree.get(), &nodes);
  RegNode* changed = nodes[size % nodes.size()];
  const std::string_view tail = text.substr(size - std::min<std::size_t>(size, 12));
  std::string name(tail.substr(0, tail.size() / 2));
  if (!IsValidValueName(name)) name = "fuzz";
  const std::uint32_t type = tail.empty() ? 1 : static_cast<unsigned char>(tail[0]) % 12;
  const std::string valueData = StoredValueData(type, tail.substr(tail.size() / 2));
  changed->SetValue(name, type, valueData);
  Follow(again.get(), PathOf(changed))->SetValue(name, type, valueData);
  std::string copyAgain = first;
  std::unique_ptr<RegNode> onDemand = IndexHiveText(&copyAgain, root);
  Follow(onDemand.get(), PathOf(changed))->SetValue(name, type, valueData);

  const std::string third = Write(*tree, root);  // most keys from their kept texts
  Check(Write(*again, root) == third);
  Check(Write(*onDemand, root) == third);  // the other keys' blocks as read
  std::unique_ptr<RegNode> reloaded = Load(third, root);
  Check(reloaded != nullptr);
  Check(Write(*reloaded, root) == third);
  return 0;
}
