// Fuzzes the version-resource query: any bytes taken as a VS_VERSIONINFO
// block must be answered from within the block or refused, and a block
// built from fuzzed texts must give those texts back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/TextCodec.h"
#include "platform/VersionResource.h"

using zuba::platform::BuildVersionBlock;
using zuba::platform::QueryVersionValue;
using zuba::platform::VersionResource;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

const char* const kPaths[] = {"\\",
                              "\\VarFileInfo\\Translation",
                              "\\StringFileInfo\\041103A4\\FileVersion",
                              "\\StringFileInfo\\041103a4\\fileversion",
                              "\\StringFileInfo",
                              "\\\\\\",
                              ""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const char* path : kPaths) {
    std::string value;
    std::uint32_t length = 0;
    if (QueryVersionValue(bytes, path, &value, &length)) {
      Check(length == value.size() && length > 0);
    }
  }

  // The input split in two at its first zero: a string table's name and a
  // value; what is built is read back as the text stored in UTF-16 spells
  // it (a character with two CP932 codes comes back with the usual one).
  std::size_t zero = bytes.find('\0');
  std::string name = bytes.substr(0, zero == std::string::npos ? 0 : zero);
  std::string text = zero == std::string::npos ? bytes : bytes.substr(zero + 1);
  text = text.substr(0, text.find('\0'));
  if (name.empty() || name.find('\\') != std::string::npos) name = "FileVersion";
  VersionResource resource;
  resource.translations = {0x03A40411};
  resource.stringTables.push_back({"041103A4", {{name, text}}});
  std::string block;
  try {
    block = BuildVersionBlock(resource);
  } catch (const std::invalid_argument&) {
    return 0;  // a text that is not CP932, or too long
  }
  std::string value;
  std::uint32_t length = 0;
  Check(QueryVersionValue(block, "\\StringFileInfo\\041103A4\\" + name, &value, &length));
  Check(value == zuba::platform::Utf8ToCp932(zuba::platform::Cp932ToUtf8(text)) + '\0');
  return 0;
}
