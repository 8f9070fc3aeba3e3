#include "network/ChgLogon.h"

#include "system/Errors.h"
#include "system/MyRegs.h"

namespace zuba::network {

namespace {

constexpr platform::RegKey kLocal = platform::kHkeyLocalMachine;

constexpr char kNetClientClass[] = "System\\CurrentControlSet\\Services\\Class\\NetClient";
constexpr char kClientDescriptionHalfWidth[] = "Microsoft ﾈｯﾄﾜｰｸ ｸﾗｲｱﾝﾄ";
constexpr char kClientDescriptionFullWidth[] = "Microsoft ネットワーク クライアント";
constexpr char kDefaultKeyTail[] = "\\Ndi\\Default";

constexpr char kLogonPath[] = "\\Network\\Logon";
constexpr char kRealModeNetPath[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Network\\Real Mode Net";
constexpr char kNetworkProviderPath[] =
    "\\System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider";

constexpr char kClientPrimary[] = "True";
constexpr char kClientProvider[] = "Microsoft Network";
constexpr char kClientRedirector[] = "VREDIR";

// The last backslash-separated component of a key path.
std::string LastComponent(std::string path, const system::LeadBytes& lead) {
  std::string component;
  while (!path.empty()) component = system::TakeToken(path, "\\", lead);
  return component;
}

// Opens `path` below HKEY_LOCAL_MACHINE, creating every missing key of it, and
// stores `text` as the string value `valueName`.
void WriteStringCreatingKey(platform::Registry& registry, const std::string& path,
                            const std::string& valueName, const std::string& text) {
  platform::RegKey key = 0;
  if (registry.CreateKey(kLocal, path, &key) != platform::kErrorSuccess) {
    throw system::ERegistryException("Failed to create key for '" + valueName + "'");
  }
  const long rc = registry.SetValue(key, valueName, {platform::kRegSz, text + '\0'});
  registry.CloseKey(key);
  if (rc != platform::kErrorSuccess) {
    throw system::ERegistryException("Failed to set data for '" + valueName + "'");
  }
}

void WriteProviderValues(platform::Registry& registry, const std::string& provider,
                         const std::string& redirector) {
  system::WriteRegString(registry, kLocal, kLogonPath, "PrimaryProvider", provider);
  system::WriteRegString(registry, kLocal, kRealModeNetPath, "preferredredir", redirector);
}

}  // namespace

std::string FindClientDefaultKey(platform::Registry& registry, const system::LeadBytes& lead) {
  system::NameList found;
  system::FindRegKeys(registry, lead, found, kNetClientClass, "DriverDesc", kClientDescriptionHalfWidth);
  if (found.empty()) {
    system::FindRegKeys(registry, lead, found, kNetClientClass, "DriverDesc", kClientDescriptionFullWidth);
  }
  if (found.empty()) return std::string();
  return std::string(kNetClientClass) + "\\" + LastComponent(found.front(), lead) + kDefaultKeyTail;
}

int GetLogonProviderIndex(platform::Registry& registry, const system::LeadBytes& lead) {
  const std::string defaultKey = FindClientDefaultKey(registry, lead);
  if (defaultKey.empty()) return kWindowsLogon;
  platform::RegKey key = 0;
  if (registry.OpenKey(kLocal, defaultKey, &key) != platform::kErrorSuccess) return kWindowsLogon;
  registry.CloseKey(key);
  return kNetworkClientLogon;
}

void SetWindowsLogon(platform::Registry& registry, const system::LeadBytes& lead,
                     const std::string& domain) {
  const std::string defaultKey = FindClientDefaultKey(registry, lead);
  if (!defaultKey.empty()) system::DeleteRegValue(registry, kLocal, defaultKey, "");
  WriteProviderValues(registry, "", "");
  if (!defaultKey.empty()) system::DeleteRegKey(registry, kLocal, defaultKey);
  SetAuthenticatingDomain(registry, domain);
}

void SetNetworkClientLogon(platform::Registry& registry, const system::LeadBytes& lead,
                           const std::string& domain) {
  const std::string defaultKey = FindClientDefaultKey(registry, lead);
  if (defaultKey.empty()) return;
  WriteStringCreatingKey(registry, defaultKey, "", kClientPrimary);
  WriteProviderValues(registry, kClientProvider, kClientRedirector);
  SetAuthenticatingDomain(registry, domain);
}

void SetAuthenticatingDomain(platform::Registry& registry, const std::string& domain) {
  WriteStringCreatingKey(registry, kNetworkProviderPath, "AuthenticatingAgent", domain);
  system::WriteRegBool(registry, kLocal, kLogonPath, "LMLogon", !domain.empty());
}

void ChangeLogonProvider(platform::Registry& registry, const system::LeadBytes& lead, int choice,
                         const std::string& domain) {
  if (choice == kWindowsLogon) {
    SetWindowsLogon(registry, lead, domain);
  } else if (choice == kNetworkClientLogon) {
    SetNetworkClientLogon(registry, lead, domain);
  }
}

}  // namespace zuba::network
