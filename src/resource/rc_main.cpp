// zuba_rc SCRIPT OUTPUT: compiles the VERSIONINFO statement of a resource
// script into a C++ source that places the VS_VERSIONINFO block in the
// linker section zuba_version, where the running program's version
// resource is looked up. Exit code 0 on success, 1 with a message on
// standard error otherwise.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "platform/VersionResource.h"
#include "resource/VersionScript.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zuba_rc SCRIPT OUTPUT\n";
    return 1;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "zuba_rc: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::stringstream script;
  script << in.rdbuf();
  try {
    std::string block =
        zuba::platform::BuildVersionBlock(zuba::resource::ParseVersionScript(script.str()));
    std::string source = zuba::resource::VersionBlockSource(block, "zuba_version", argv[1]);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << source;
    if (!out.flush()) {
      std::cerr << "zuba_rc: cannot write " << argv[2] << "\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}
