// Opening and confirming the Network control panel after a setting has been
// applied, for switches that the registry writes alone do not bring into
// effect.
#ifndef ZUBA_ACTIONS_ZNETUTIL_H_
#define ZUBA_ACTIONS_ZNETUTIL_H_

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Files.h"
#include "platform/System.h"
#include "system/AppShell.h"

namespace zuba::actions {

// The longest RunNetworkControlPanel waits for the Network dialog to show
// (on the system's tick count): 30 seconds. The control panel of a slow
// Windows 9x machine takes a few seconds to build its dialog; after half a
// minute it is not coming.
constexpr std::uint32_t kNetworkDialogWaitMs = 30000;
// How often the control panel's windows are looked for while waiting. Each
// look processes the pending messages first and then sleeps this long, so a
// wait costs hardly any processor time and notices a change within this
// period.
constexpr std::uint32_t kWindowPollMs = 10;
// WM_KEYDOWN's key data for the Return key: repeat count 1, scan code 0x1C.
constexpr std::uint32_t kReturnKeyData = 0x001C0001;

// Starts the Network control panel from the Windows directory and confirms
// its dialog ("ﾈｯﾄﾜｰｸ", else "ネットワーク") with a Return, waits until the
// dialog has gone (or Ctrl is held down), waits one second, then follows
// the file-copy window "ﾌｧｲﾙのｺﾋﾟｰ" until it has gone (or Ctrl is held
// down). While `answerConflicts` answers true (it is asked each time), every
// appearance of the dialog "ﾊﾞｰｼﾞｮﾝの競合" receives exactly one Return.
// A failure ends the procedure, which answers what its caller shows the
// user in a plain message box: "CPL Execute Error:<code>" when the panel
// does not start, "RET_Down Post Error:<code>" when a Return cannot be
// posted, and "Can't find NetworkDLG." when the dialog has not shown within
// kNetworkDialogWaitMs (Ctrl does not shorten that wait); empty when
// nothing failed. `shell` only processes messages while the procedure
// waits. The panel's process is not waited for; its handle is closed at
// once.
std::string RunNetworkControlPanel(platform::System& system, platform::Files& files,
                            system::AppShell& shell,
                            const std::function<bool()>& answerConflicts);

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_ZNETUTIL_H_
