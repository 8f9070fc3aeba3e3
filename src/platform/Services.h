// The four services of the machine the program runs on, as one bundle of
// references: what a program's run, an apply or a tool is handed once the
// platform's own entry has opened them. The services must outlive it.
#ifndef ZUBA_PLATFORM_SERVICES_H_
#define ZUBA_PLATFORM_SERVICES_H_

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::platform {

struct Services {
  Registry& registry;
  Files& files;
  Profiles& profiles;
  System& system;
};

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_SERVICES_H_
