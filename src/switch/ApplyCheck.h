// The values of a Setting that an apply could not write as they stand: a
// settings file edited by hand (or damaged) can hold them, the window's
// capture never produces them. The apply flow checks them before its first
// write, so a Setting that cannot be applied whole changes nothing.
#ifndef ZUBA_SWITCH_APPLYCHECK_H_
#define ZUBA_SWITCH_APPLYCHECK_H_

#include <cstddef>
#include <string>

#include "core/RegType.h"

namespace zuba::switching {

// The longest text a string value may hold: Windows 9x keeps at most 16,300
// bytes of data per value, the terminating zero included.
inline constexpr std::size_t kMaxRegistryText = 16299;

// Whether `text` is an IPv4 address: four runs of ASCII digits joined by
// single dots, each run at most 255 (leading zeros allowed).
bool IsAddressInRange(const std::string& text);

// The first set item of `setting` that cannot be written, as a message
// naming it; the empty text when every set item can be:
//   - ip and ms must be addresses; every entry of the lists gw and di must
//     be one (an empty list is allowed); wp and ws, when they are written
//     (nt is "8") and not empty, must be;
//   - the numbers pe, pc and pd (and any item of Vtype 'x') must be 32-bit
//     integers in decimal;
//   - no text that goes into the registry (items 0 to 18, pf, pv, pa) may
//     be longer than kMaxRegistryText bytes.
std::string FindUnwritableValue(const core::TRegList& setting);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_APPLYCHECK_H_
