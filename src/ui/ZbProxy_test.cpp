#include "ui/ZbProxy.h"

#include <gtest/gtest.h>

#include <string>

#include "actions/InternetSettings.h"
#include "system/Errors.h"
#include "testing/NetMachine.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace actions;  // the system's side of the component

using platform::kHkeyCurrentUser;
using platform::sim::OsKind;

constexpr char kPerProtocol[] = "ftp=a.b.c.b:8080;http=a.b.c.d:80";

class ProxyTest : public ::testing::TestWithParam<OsKind> {
 protected:
  void BindAll() {
    proxy_.SetPxEnabled(&enabled_);
    proxy_.SetPxNotLan(&notLan_);
    proxy_.SetPxAddr(&addr_);
    proxy_.SetPxPort(&port_);
    proxy_.SetPxAutoURL(&autoUrl_);
  }
  std::string Value(const std::string& name) {
    return testing::ValueText(machine_.registry(), kHkeyCurrentUser, kInternetSettingsKey, name);
  }

  testing::TempMachine machine_{GetParam()};
  toolkit::ScriptedUiServices ui_;
  toolkit::Application app_{ui_};
  toolkit::Form& form_ = app_.CreateForm<toolkit::Form>();
  TZbProxy& proxy_ = form_.Add<TZbProxy>("ZbProxy", machine_.registry());
  toolkit::CheckBox& enabled_ = form_.Add<toolkit::CheckBox>("cbPxyEnable");
  toolkit::CheckBox& notLan_ = form_.Add<toolkit::CheckBox>("cbPxyLocal");
  toolkit::Edit& addr_ = form_.Add<toolkit::Edit>("edPxyAddr");
  toolkit::Edit& port_ = form_.Add<toolkit::Edit>("edPxyPort");
  toolkit::Edit& autoUrl_ = form_.Add<toolkit::Edit>("edPxyAutoURL");
};

TEST_P(ProxyTest, HostAndPortSplitForDisplayAndJoinAgain) {
  BindAll();
  proxy_.ShowValues(true, "proxy.example.co.jp:8080", "http://wpad/proxy.pac");
  EXPECT_TRUE(enabled_.Checked());
  EXPECT_EQ(addr_.Text(), "proxy.example.co.jp");
  EXPECT_EQ(port_.Text(), "8080");
  EXPECT_EQ(autoUrl_.Text(), "http://wpad/proxy.pac");
  network::ProxyValues captured = proxy_.CaptureValues();
  EXPECT_TRUE(captured.enabled);
  EXPECT_EQ(captured.server, "proxy.example.co.jp:8080");
  EXPECT_EQ(captured.autoConfigUrl, "http://wpad/proxy.pac");

  // Only the first ":" splits.
  proxy_.ShowValues(true, "host:80:81", "");
  EXPECT_EQ(addr_.Text(), "host");
  EXPECT_EQ(port_.Text(), "80:81");
  EXPECT_EQ(proxy_.CaptureValues().server, "host:80:81");
}

TEST_P(ProxyTest, APerProtocolListStaysWhole) {
  BindAll();
  port_.SetText("");
  proxy_.ShowValues(true, kPerProtocol, "");
  EXPECT_EQ(addr_.Text(), kPerProtocol);
  EXPECT_EQ(port_.Text(), "");
  EXPECT_EQ(proxy_.CaptureValues().server, kPerProtocol);
  // "=" as the very first character does not count; the ":" rule applies.
  proxy_.ShowValues(true, "=x:1", "");
  EXPECT_EQ(addr_.Text(), "=x");
  // Without a port edit the whole text goes into the address.
  proxy_.SetPxPort(nullptr);
  proxy_.ShowValues(true, "host:8080", "");
  EXPECT_EQ(addr_.Text(), "host:8080");
  EXPECT_EQ(proxy_.CaptureValues().server, "host:8080");
}

TEST_P(ProxyTest, WhatShowingLeavesAlone) {
  BindAll();
  addr_.SetText("kept");
  port_.SetText("3128");
  autoUrl_.SetText("http://kept/");
  enabled_.SetChecked(true);
  proxy_.ShowValues(false, "other:1", "");
  EXPECT_FALSE(enabled_.Checked());
  EXPECT_EQ(addr_.Text(), "kept");
  EXPECT_EQ(port_.Text(), "3128");
  EXPECT_EQ(autoUrl_.Text(), "http://kept/");  // an empty address clears nothing
  // A text without ":" goes whole into the address; the port keeps its text.
  proxy_.ShowValues(true, "plainhost", "");
  EXPECT_EQ(addr_.Text(), "plainhost");
  EXPECT_EQ(port_.Text(), "3128");
  // Captured whether checked or not.
  proxy_.ShowValues(false, "", "");
  network::ProxyValues captured = proxy_.CaptureValues();
  EXPECT_FALSE(captured.enabled);
  EXPECT_EQ(captured.server, "plainhost:3128");

  notLan_.SetChecked(true);
  proxy_.ClearControls();
  EXPECT_FALSE(notLan_.Checked());
  EXPECT_EQ(addr_.Text() + port_.Text() + autoUrl_.Text(), "");
}

TEST_P(ProxyTest, UnboundAndVanishedControlsAreSkipped) {
  proxy_.ShowValues(true, "host:1", "http://x/");
  proxy_.ClearControls();
  network::ProxyValues captured = proxy_.CaptureValues();
  EXPECT_FALSE(captured.enabled);
  EXPECT_EQ(captured.server, "");
  // The address edit alone shows nothing without the check box.
  proxy_.SetPxAddr(&addr_);
  proxy_.ShowValues(true, "host:1", "");
  EXPECT_EQ(addr_.Text(), "");
  BindAll();
  form_.DestroyChild(addr_);
  EXPECT_EQ(proxy_.PxAddr(), nullptr);
  proxy_.ShowValues(true, "host:1", "");
  EXPECT_EQ(proxy_.CaptureValues().server, "");
}

TEST_P(ProxyTest, ApplyAndReadRoundTrip) {
  network::ProxyValues now = proxy_.ReadCurrent();
  EXPECT_FALSE(now.enabled);
  EXPECT_EQ(now.server, "proxy.example.co.jp:8080");
  EXPECT_EQ(now.autoConfigUrl, "http://proxy.example.co.jp/proxy.pac");

  proxy_.Apply(true, "gate.example.jp:3128", "");
  EXPECT_EQ(Value("ProxyEnable"), "hex:01,00,00,00");
  now = proxy_.ReadCurrent();
  EXPECT_TRUE(now.enabled);
  EXPECT_EQ(now.server, "gate.example.jp:3128");
  EXPECT_EQ(now.autoConfigUrl, "");

  // From the window to the system and back into the window.
  BindAll();
  proxy_.ShowValues(true, kPerProtocol, "http://wpad/");
  now = proxy_.CaptureValues();
  proxy_.Apply(now.enabled, now.server, now.autoConfigUrl);
  proxy_.ClearControls();
  now = proxy_.ReadCurrent();
  proxy_.ShowValues(now.enabled, now.server, now.autoConfigUrl);
  EXPECT_EQ(addr_.Text(), kPerProtocol);
  EXPECT_EQ(proxy_.CaptureValues().server, kPerProtocol);

  // Switched off: the server stays on record.
  proxy_.Apply(false, "ignored:1", "http://new/");
  EXPECT_EQ(Value("ProxyEnable"), "hex:00,00,00,00");
  EXPECT_EQ(Value("ProxyServer"), std::string("\"") + kPerProtocol + "\"");
  EXPECT_EQ(Value("AutoConfigURL"), "\"http://new/\"");
}

TEST_P(ProxyTest, EnableReadsAsIntegerOrBinary) {
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_CURRENT_USER") +
                                                 kInternetSettingsKey +
                                                 "]\n\"ProxyEnable\"=dword:00000001\n");
  EXPECT_TRUE(proxy_.ReadCurrent().enabled);
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_CURRENT_USER") +
                                                 kInternetSettingsKey + "]\n\"ProxyEnable\"=-\n");
  EXPECT_FALSE(proxy_.ReadCurrent().enabled);
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_CURRENT_USER") +
                                                 kInternetSettingsKey +
                                                 "]\n\"ProxyEnable\"=hex:01,00,00,00,00\n");
  EXPECT_THROW(proxy_.ReadCurrent(), system::ERegistryException);
}

TEST_P(ProxyTest, WithoutTheKeyNothingIsReadOrWritten) {
  testing::EditRegistry(machine_.registry(),
                        std::string("[-HKEY_CURRENT_USER") + kInternetSettingsKey + "]\n");
  proxy_.Apply(true, "host:1", "http://x/");
  EXPECT_EQ(Value("ProxyEnable"), "no key");
  network::ProxyValues now = proxy_.ReadCurrent();
  EXPECT_FALSE(now.enabled);
  EXPECT_EQ(now.server + now.autoConfigUrl, "");
}

INSTANTIATE_TEST_SUITE_P(Machines, ProxyTest,
                         ::testing::Values(OsKind::kWin98, OsKind::kWin95, OsKind::kNt));

}  // namespace
}  // namespace zuba::ui
