// The Windows version resource (VS_VERSIONINFO): writing the block from its
// parts, and VerQueryValueA on a block read with System::ReadOwnVersionInfo.
//
// The block is the 32-bit layout: every node is a WORD length of the whole
// node, a WORD length of its value, a WORD type (0 binary, 1 text), its key
// in UTF-16LE with a terminating zero, padding to 32 bits, the value,
// padding to 32 bits and its children. The root's key is "VS_VERSION_INFO"
// and its value the 52-byte VS_FIXEDFILEINFO; its children are
// "StringFileInfo" (one table per language and code page, keyed by eight
// hexadecimal digits such as "041103A4", holding the strings) and
// "VarFileInfo" (the "Translation" table of language and code-page pairs).
#ifndef ZUBA_PLATFORM_VERSIONRESOURCE_H_
#define ZUBA_PLATFORM_VERSIONRESOURCE_H_

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zuba::platform {

constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;

// VS_FIXEDFILEINFO without its signature and structure version.
struct FixedFileInfo {
  std::array<std::uint16_t, 4> fileVersion{};     // 2, 1, 0, 54 for 2.1.0.54
  std::array<std::uint16_t, 4> productVersion{};  // the same for the product
  std::uint32_t fileFlagsMask = 0x3F;
  std::uint32_t fileFlags = 0;
  std::uint32_t fileOs = 0x4;    // VOS__WINDOWS32
  std::uint32_t fileType = 0x1;  // VFT_APP
  std::uint32_t fileSubtype = 0;
};

// One string table: its key (eight hexadecimal digits, language then code
// page) and its strings in order, as CP932 text.
struct VersionStringTable {
  std::string key;
  std::vector<std::pair<std::string, std::string>> strings;
};

// Everything a version resource says. `translations` holds each pair as one
// 32-bit value, the language in the low half and the code page in the high
// half (0x03A40411 for Japanese, code page 932).
struct VersionResource {
  FixedFileInfo fixed;
  std::vector<VersionStringTable> stringTables;
  std::vector<std::uint32_t> translations;
  bool hasVarFileInfo = true;  // false: no "VarFileInfo" node at all
};

// The VS_VERSIONINFO block of `resource`. Texts are stored in UTF-16LE with
// their terminating zero. Throws std::invalid_argument when a text does not
// convert from CP932 or a node grows beyond 65,535 bytes.
std::string BuildVersionBlock(const VersionResource& resource);

// VerQueryValueA. `subBlock` is "\" (the fixed part), "\VarFileInfo\Translation"
// or "\StringFileInfo\<table>\<name>"; names compare without regard to ASCII
// case. True with the value when the node exists and has one:
// - a text value: `*data` is its CP932 text followed by one zero byte, and
//   `*length` counts those bytes, the zero included;
// - any other value: `*data` holds its bytes and `*length` their count.
// False (outputs untouched) when the block is malformed, the node is
// missing or its value is empty.
bool QueryVersionValue(const std::string& block, const std::string& subBlock, std::string* data,
                       std::uint32_t* length);

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_VERSIONRESOURCE_H_
