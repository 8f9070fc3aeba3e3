// The simulated registry: HKEY_LOCAL_MACHINE in DIR/system.reg and
// HKEY_CURRENT_USER in DIR/user.reg, REGEDIT4 text in CP932.
//
// Every change is written through at once: under the machine's registry lock
// (DIR/registry.lock, exclusive) the hive is reloaded if another process saved
// it, the change is applied and the hive is replaced atomically; a change of
// both hives commits as one (HiveCommit.h). Every operation first reloads a
// hive that another process saved (a shared counter tells, without a system
// call); opening a key from a root also notices a hive file edited by hand.
// Hives are loaded under the shared lock, which needs no write access: a
// machine that may not be written is read as usual and refuses every change
// with kErrorRegistryIoFailed. Open handles follow their key across reloads; a handle
// whose key was deleted answers kErrorBadKey. One registry object serves one
// thread.
#ifndef ZUBA_PLATFORM_SIM_SIMREGISTRY_H_
#define ZUBA_PLATFORM_SIM_SIMREGISTRY_H_

#include <functional>
#include <memory>
#include <string>

#include "platform/Registry.h"
#include "platform/sim/EventLog.h"

namespace zuba::platform::sim {

// Opens the registry of the machine in `machineDirectory`; missing hive files
// are empty hives. Throws MachineError naming the file and line when a hive
// cannot be parsed. Flushes are recorded in `events`.
//
// Beyond the Registry contract: an operation that finds its hive changed on
// disk into something that cannot be parsed throws MachineError and leaves
// the file alone; a change that cannot be saved is undone and answers
// kErrorRegistryIoFailed; a name no REGEDIT4 file could hold (NUL, CR, LF, a
// key name ending in a lone lead byte) answers kErrorInvalidParameter.
std::unique_ptr<Registry> OpenSimRegistry(const std::string& machineDirectory, EventLog& events);

// Runs `changes`, which call `registry`, as one write: the registry lock is
// held throughout and the changed hives are saved once at the end, both as
// one commit, instead of after every call. When `changes` throws, all it
// changed is discarded (the hives are read back from their files) and the
// exception passes on. Returns kErrorSuccess, or kErrorRegistryIoFailed when
// the hives could not be saved (all the changes are discarded, in both
// hives) or the machine may not be written (`changes` does not run).
// `registry` is one OpenSimRegistry returned, or a WithRegistryFaults
// registry over one; for any other, `changes` simply runs.
long ApplyAsOneWrite(Registry& registry, const std::function<void()>& changes);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMREGISTRY_H_
