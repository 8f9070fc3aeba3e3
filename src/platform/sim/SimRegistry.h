// The simulated registry: HKEY_LOCAL_MACHINE in DIR/system.reg and
// HKEY_CURRENT_USER in DIR/user.reg, REGEDIT4 text in CP932.
//
// Every change is written through at once (RegistryWrites::kThrough; kAtFlush
// writes as Windows 9x itself does): under the machine's registry lock
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

// When the registry's changes reach its files.
enum class RegistryWrites {
  // Every change is written through at once, durably: another process sees
  // it as soon as the call returns, and a crash cannot lose it.
  kThrough,
  // As Windows 9x keeps its registry: changes are made in memory and reach
  // the hive files, durably and both hives as one commit, when a key is
  // flushed (FlushKey), when SaveRegistry is called (the machine does so
  // before a shut-down and before it starts a process), and when the
  // registry is closed. Until then another process reads the files as they
  // were, and a crash loses the changes. A registry write then costs no file
  // write at all, whatever the size of the hives. Changes another process
  // saved meanwhile are kept: the changes held are made again on top of them
  // (where both changed the same value, the held change is the one kept).
  kAtFlush,
};

// Opens the registry of the machine in `machineDirectory`; missing hive files
// are empty hives. Throws MachineError naming the file and line when a hive
// cannot be parsed. Flushes are recorded in `events`.
//
// Beyond the Registry contract: an operation that finds its hive changed on
// disk into something that cannot be parsed throws MachineError and leaves
// the file alone; a change that cannot be saved is undone and answers
// kErrorRegistryIoFailed; a name no REGEDIT4 file could hold (NUL, CR, LF, a
// key name ending in a lone lead byte) answers kErrorInvalidParameter.
//
// With kAtFlush, FlushKey answers kErrorRegistryIoFailed when the changes
// held could not be saved (they stay held, for the next flush).
std::unique_ptr<Registry> OpenSimRegistry(const std::string& machineDirectory, EventLog& events,
                                          RegistryWrites writes = RegistryWrites::kThrough);

// Writes every change `registry` holds (kAtFlush) into the hive files.
// kErrorSuccess when nothing is left unsaved (always for kThrough, and for a
// registry OpenSimRegistry did not return), kErrorRegistryIoFailed when a
// hive could not be saved. Throws MachineError when a hive file another
// process changed cannot be parsed.
long SaveRegistry(Registry& registry);

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
