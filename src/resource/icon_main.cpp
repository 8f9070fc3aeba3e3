// zuba_icon PICTURE ICON [PNG]: makes the icon file of the program's icon
// picture (resource/IconPicture.h) and, when asked, its PNG at four times
// the size. Exit code 0 on success, 1 with a message on standard error.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "resource/IconPicture.h"

namespace {

bool WriteFile(const char* path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (out.flush()) return true;
  std::cerr << "zuba_icon: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: zuba_icon PICTURE ICON [PNG]\n";
    return 1;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "zuba_icon: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  try {
    auto images = zuba::resource::ParseIconPicture(text.str());
    if (!WriteFile(argv[2], zuba::resource::IconFile(images))) return 1;
    if (argc == 4 && !WriteFile(argv[3], zuba::resource::IconPng(images, 4))) return 1;
  } catch (const std::exception& error) {
    std::cerr << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}
