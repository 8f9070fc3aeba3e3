#include "toolkit/OpenDialog.h"

#include "toolkit/Application.h"

namespace zuba::toolkit {

bool OpenDialog::Execute() {
  Application* app = GetApplication();
  if (app == nullptr) return false;
  std::string path;
  if (!app->Ui().ShowOpenDialog(request_, &path)) return false;
  request_.fileName = path;
  return true;
}

}  // namespace zuba::toolkit
