// The key of the browser's Internet settings below HKEY_CURRENT_USER, where
// both the dial-up flags and the proxy values live.
#ifndef ZUBA_ACTIONS_INTERNETSETTINGS_H_
#define ZUBA_ACTIONS_INTERNETSETTINGS_H_

namespace zuba::actions {

inline constexpr char kInternetSettingsKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_INTERNETSETTINGS_H_
