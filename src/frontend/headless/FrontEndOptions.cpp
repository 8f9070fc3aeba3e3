#include "frontend/headless/FrontEndOptions.h"

#include <cstddef>
#include <utility>

namespace zuba::headless {
namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE" at
// args[*i]; false when `arg` is not the option. A missing value is an empty
// one with `*missing` set.
bool OptionValue(const std::vector<std::string>& args, std::size_t* i, const std::string& name,
                 std::string* value, bool* missing) {
  const std::string& arg = args[*i];
  *missing = false;
  if (arg == name) {
    if (*i + 1 >= args.size()) {
      *missing = true;
      return true;
    }
    *value = args[++*i];
    return true;
  }
  if (arg.rfind(name + "=", 0) != 0) return false;
  *value = arg.substr(name.size() + 1);
  return true;
}

}  // namespace

bool TakeFrontEndOptions(std::vector<std::string>* args, FrontEndOptions* options,
                         std::string* error) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args->size(); ++i) {
    const std::string& arg = (*args)[i];
    if (arg == "--") {
      rest.insert(rest.end(), args->begin() + static_cast<std::ptrdiff_t>(i), args->end());
      break;
    }
    if (arg == "--headless") {
      options->headless = true;
      continue;
    }
    std::string value;
    bool missing = false;
    if (OptionValue(*args, &i, "--answer", &value, &missing)) {
      toolkit::ScriptAnswer answer;
      if (missing) {
        *error = "--answer needs a value: ok, cancel, yes, no or file=WINPATH";
        return false;
      }
      if (!toolkit::ParseScriptAnswer(value, &answer, error)) return false;
      options->answers.push_back(answer);
      continue;
    }
    if (OptionValue(*args, &i, "--do", &value, &missing)) {
      toolkit::UserAction action;
      if (missing) {
        *error = "--do needs an action: click, rclick, type, key, choose or dump";
        return false;
      }
      if (!toolkit::ParseUserAction(value, &action, error)) return false;
      options->actions.push_back(action);
      continue;
    }
    rest.push_back(arg);
  }
  if (!options->actions.empty() && !options->headless) {
    *error = "--do runs only with --headless";
    return false;
  }
  *args = std::move(rest);
  return true;
}

}  // namespace zuba::headless
