// A hive file read on demand: its keys found from the file's text, each
// key's values left in its block of the text until something asks for
// them (RegNode::SetSourceBlock).
//
// This works for the text the hive writer makes (WriteHiveText), which is
// what every save of the machine leaves: the header, then each key depth
// first in creation order as its key line, its value lines and an empty
// line, CR LF throughout. Every line is still parsed (a text is taken
// whole or not at all), but only the keys are built. Any other text
// (written or edited by hand: other line ends, comments, blanks, a key
// named twice, deletions, a key line naming keys not written before it, a
// value in another notation) and a text that cannot be parsed are not
// indexed: the caller builds them whole, and reports their faults.
//
// This translation unit holds no non-ASCII literal (the fuzzing build).
#ifndef ZUBA_PLATFORM_SIM_HIVEINDEX_H_
#define ZUBA_PLATFORM_SIM_HIVEINDEX_H_

#include <memory>
#include <string>

#include "platform/sim/RegTree.h"
#include "platform/sim/Regedit4.h"

namespace zuba::platform::sim {

// The tree of `text`, whose keys must all be below `root`, its values
// left in the text, which its root keeps (moved out of `*text`); nullptr
// (and `*text` untouched) when the text is not one the writer made.
std::unique_ptr<RegNode> IndexHiveText(std::string* text, RegRoot root);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HIVEINDEX_H_
