#include "toolkit/FileNameEdit.h"

#include "toolkit/Application.h"
#include "toolkit/Cp932Text.h"

namespace zuba::toolkit {
namespace {

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

// Position just past the last backslash (trail bytes skipped), 0 for none.
std::size_t NameStart(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\') {
      start = i + 1;
    } else if (IsCp932LeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;
    }
  }
  return start;
}

}  // namespace

OpenFileRequest FileNameEdit::BrowseRequest() const {
  OpenFileRequest request = request_;
  std::string current = Unquoted(Text());
  std::size_t nameStart = NameStart(current);
  if (nameStart > 0) request.initialDir = current.substr(0, nameStart);
  request.fileName = current.substr(nameStart);
  return request;
}

bool FileNameEdit::Browse() {
  Application* app = GetApplication();
  if (app == nullptr || !Reachable()) return false;
  Dispatch([this, app] {
    std::string path;
    if (!app->Ui().ShowOpenDialog(BrowseRequest(), &path)) return;
    bool blank = path.find(' ') != std::string::npos;
    SetText(blank ? "\"" + path + "\"" : path);
  });
  return true;
}

}  // namespace zuba::toolkit
