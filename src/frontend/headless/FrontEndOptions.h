// The front-end's part of the program's command line:
//
//   zubanet [--machine DIR] [--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]
//
// The program's entry takes what is its own (--machine) and hands the rest
// to TakeFrontEndOptions, which leaves the program's ARGUMENTs. The answers
// and actions are those of toolkit/UserScript.h.
#ifndef ZUBA_FRONTEND_HEADLESS_FRONTENDOPTIONS_H_
#define ZUBA_FRONTEND_HEADLESS_FRONTENDOPTIONS_H_

#include <string>
#include <vector>

#include "toolkit/UserScript.h"

namespace zuba::headless {

struct FrontEndOptions {
  bool headless = false;
  std::vector<toolkit::ScriptAnswer> answers;  // in the order given
  std::vector<toolkit::UserAction> actions;    // in the order given
};

// Takes "--headless", "--answer A", "--answer=A", "--do ACTION" and
// "--do=ACTION" out of `args`, up to a "--", which stays with what follows
// it; everything else stays in order. False with a message in `*error` on a
// missing or malformed answer or action, and on actions without --headless
// (usage errors).
bool TakeFrontEndOptions(std::vector<std::string>* args, FrontEndOptions* options,
                         std::string* error);

}  // namespace zuba::headless

#endif  // ZUBA_FRONTEND_HEADLESS_FRONTENDOPTIONS_H_
