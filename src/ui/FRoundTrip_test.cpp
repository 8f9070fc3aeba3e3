// Showing a Setting and capturing it back, on many Settings at once: the
// window must give back what it was shown, except where the binding or the
// components change it on purpose, and damaged stored values must never
// crash or hang it.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "system/Errors.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/FCheck.h"
#include "ui/FExtract.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using namespace core;

constexpr char kName[] = "Office";
constexpr char kMissingFile[] = "C:\\WINDOWS\\GONE.TXT";

class FRoundTripTest : public ::testing::Test {
 protected:
  FRoundTripTest() {
    form.BtConfig.Click();
    form.CbSetting.SetItemIndex(form.CbSetting.AddItem(kName));
  }

  TRegList Fresh() {
    TRegList list;
    InitRegList(list, false, machine.system());
    return list;
  }
  TRegList Stored(std::initializer_list<std::pair<int, std::string>> values) {
    TRegList list = Fresh();
    for (const auto& [index, value] : values) SetItemValue(list[index], value);
    return list;
  }
  // Shows `shown` in the full form (with `subkey` as the stored adapter) and
  // captures the window; a failed capture fails the test.
  TRegList ShowAndCapture(TRegList shown, const std::string& subkey = "0000") {
    form.Settings.WriteAdapter(kName, subkey);
    ShowSetting(form, shown, BindingForm::kFull);
    TRegList captured;
    std::string message;
    EXPECT_TRUE(CaptureSetting(form, captured, message, false)) << message;
    return captured;
  }
  static std::string Differences(const TRegList& expected, const TRegList& actual) {
    std::string text;
    for (int i = 0; i < kItemCount; ++i) {
      const TNetReg& e = expected[i];
      const TNetReg& a = actual[i];
      if (e.IsSet != a.IsSet || (e.IsSet && e.Value != a.Value)) {
        text += e.KeyCode + ": " + (e.IsSet ? "'" + e.Value + "'" : "unset") + " -> " +
                (a.IsSet ? "'" + a.Value + "'" : "unset") + "\n";
      }
    }
    return text;
  }

  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  TForm1& form = app.CreateForm<TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                        machine.system());
};

// Random Settings as a save would store them: every group complete, texts
// without blanks at either end, addresses well formed, lists without an
// empty last entry.
class SettingGenerator {
 public:
  SettingGenerator(std::uint32_t seed, const system::LeadBytes& lead)
      : random_(seed), lead_(lead) {}

  bool Chance(int percent) { return Below(100) < percent; }
  int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  template <class T>
  const T& Pick(const std::vector<T>& choices) {
    return choices[static_cast<std::size_t>(Below(static_cast<int>(choices.size())))];
  }
  std::string Address() {
    std::string text;
    for (int part = 0; part < 4; ++part) {
      if (part > 0) text += '.';
      text += std::to_string(Below(Chance(20) ? 100000 : 256));
    }
    return text;
  }
  // Any bytes, double-byte characters and bytes that are no character of the
  // code page included, trimmed as a capture trims.
  std::string Text(bool nonEmpty) {
    static const std::vector<std::string> pieces = {
        "a",    "Z",    "0",    " ",        ".",        "-",        ",",
        "\\",   "=",    ":",    "\x81\x40", "\x83\x5C", "\x82\xA0", "\x88\x9F",
        "\xB1", "\x80", "\xFF", "\x81",     "\xFC\xFC"};
    for (;;) {
      std::string text;
      for (int n = Below(8); n > 0; --n) text += Pick(pieces);
      text = system::TrimBlanks(text, lead_);
      if (!nonEmpty || !text.empty()) return text;
    }
  }
  // Entries joined by ','; an empty entry never comes last.
  std::string List(int most, bool addresses) {
    std::string text;
    const int count = Below(most + 1);
    for (int i = 0; i < count; ++i) {
      if (i > 0) text += ',';
      text += addresses ? Address() : (i + 1 < count && Chance(20) ? "" : Word());
    }
    return text;
  }
  std::string Word() {
    std::string text = Text(true);
    for (char& c : text) {
      if (c == ',') c = '_';  // a comma inside would make two entries
    }
    return system::TrimBlanks(text, lead_).empty() ? "w" : text;
  }

 private:
  std::mt19937 random_;
  const system::LeadBytes& lead_;
};

TEST_F(FRoundTripTest, ShowThenCaptureGivesTheSettingBack) {
  const std::vector<std::string> printers = form.pcbPr.Items();
  const std::vector<std::string> connections = form.zbPPP.ConnectionNames();
  const std::vector<std::string> locations = form.zbPPP.LocationNames();
  const std::vector<std::string> subkeys = form.CbTrg.Items();
  SettingGenerator gen(2024, form.GetLeadBytes());
  auto set = [](TRegList& list, int index, const std::string& value) {
    SetItemValue(list[index], value);
  };

  for (int round = 0; round < 300; ++round) {
    TRegList shown = Fresh();
    // `expected` follows `shown`, with the changes listed at each group.
    TRegList expected;
    std::vector<std::pair<int, std::string>> changes;  // item, new Value
    std::vector<int> dropped;                          // items left out

    if (gen.Chance(60)) {
      const bool dhcp = gen.Chance(30);
      set(shown, kIp, dhcp ? "0.0.0.0" : gen.Address());
      set(shown, kMs, dhcp ? "0.0.0.0" : gen.Address());
      set(shown, kGw, gen.List(3, true));
      switch (gen.Below(dhcp ? 4 : 3)) {
        case 0:  // WINS on
          set(shown, kNt, "8");
          set(shown, kWp, gen.Address());
          set(shown, kWs, gen.Chance(50) ? gen.Address() : "");
          set(shown, kWi, gen.Text(false));
          break;
        case 1:  // WINS off
          set(shown, kNt, "1");
          set(shown, kWp, "");
          set(shown, kWs, "");
          set(shown, kWi, "");
          break;
        default:  // no node type: WINS by DHCP, else the binding turns WINS off
          set(shown, kNt, "");
          set(shown, kWp, "");
          set(shown, kWs, "");
          set(shown, kWi, "");
          if (!dhcp) changes.emplace_back(kNt, "1");
      }
    }
    if (gen.Chance(70)) {
      // A printer that is not installed is taken out of the Setting.
      const bool installed = gen.Chance(80);
      set(shown, kPr, installed ? gen.Pick(printers) : "Gone Printer");
      if (!installed) dropped.push_back(kPr);
    }
    switch (gen.Below(3)) {
      case 0:
        break;  // DNS left unchanged
      case 1:
        set(shown, kDe, "0");
        break;
      default:
        set(shown, kDe, "1");
        set(shown, kDh, gen.Text(true));
        set(shown, kDd, gen.Text(false));
        set(shown, kDi, gen.List(3, true));
        set(shown, kDs, gen.List(3, false));
    }
    if (gen.Chance(50)) {
      set(shown, kPc, gen.Chance(50) ? "1" : "0");
      set(shown, kPd, gen.Chance(50) ? "1" : "0");
      set(shown, kPf, gen.Chance(70) ? gen.Pick(connections) : "");
      set(shown, kTl, gen.Chance(70) ? gen.Pick(locations) : "");
    }
    if (gen.Chance(50)) {
      const bool on = gen.Chance(60);
      const std::vector<std::string> servers = {"", "proxy", "proxy.example:8080", ":80",
                                                "ftp=10.0.0.1:21;http=10.0.0.1:80"};
      set(shown, kPe, on ? "1" : "0");
      set(shown, kPv, gen.Pick(servers));
      set(shown, kPa, gen.Chance(50) ? "http://auto.example/proxy.pac" : "");
      // The proxy component shows the server only while the proxy is on.
      if (!on) changes.emplace_back(kPv, "");
    }
    if (gen.Chance(50)) {
      set(shown, kWg, gen.Text(true));
      set(shown, kLc, gen.Text(true));
      set(shown, kLd, gen.Text(false));
      set(shown, kLo, std::to_string(gen.Below(4) - 1));
      if (gen.Chance(50)) set(shown, kLi, gen.Text(true));
      if (gen.Chance(50)) set(shown, kCc, gen.Text(true));
      if (gen.Chance(70)) set(shown, kFs, gen.Chance(50) ? "Yes" : "No");
      if (gen.Chance(70)) set(shown, kPs, gen.Chance(50) ? "Yes" : "No");
    }
    if (gen.Chance(40)) {
      // A launcher whose file is missing is dropped without a message.
      const bool exists = gen.Chance(80);
      set(shown, kEe, exists ? "C:\\WINDOWS\\NOTEPAD.EXE" : "C:\\WINDOWS\\GONE.EXE");
      set(shown, kEo, gen.Text(false));
      if (!exists) dropped.insert(dropped.end(), {kEe, kEo});
    }
    // A hosts file that is missing shows no file and is dropped.
    if (gen.Chance(30)) set(shown, kHh, "C:\\WINDOWS\\hosts.office");
    if (gen.Chance(30))
      set(shown, kHl, gen.Chance(80) ? "C:\\WINDOWS\\lmhosts.office" : kMissingFile);
    if (shown[kHl].Value == kMissingFile) dropped.push_back(kHl);
    set(shown, kCp, gen.Chance(50) ? "1" : "0");

    expected = shown;
    for (const auto& [index, value] : changes) expected[index].Value = value;
    for (int index : dropped) expected[index].IsSet = false;

    const std::string subkey = gen.Pick(subkeys);
    const TRegList first = ShowAndCapture(shown, subkey);
    ASSERT_EQ(Differences(expected, first), "") << "round " << round;
    // Captured, shown and captured again: nothing moves any more.
    const TRegList second = ShowAndCapture(first, subkey);
    ASSERT_EQ(Differences(first, second), "") << "round " << round;
  }
}

TEST_F(FRoundTripTest, DamagedStoredValuesAreShownAsFarAsTheyGo) {
  // Text where a number belongs.
  TRegList captured = ShowAndCapture(Stored({{kPc, "abc"},
                                             {kPd, ""},
                                             {kPe, "yes"},
                                             {kCp, "true"},
                                             {kDe, "yes"},
                                             {kIp, "10.0.0.1"},
                                             {kMs, "255.0.0.0"},
                                             {kNt, "garbage"}}));
  EXPECT_EQ(captured[kPc].Value + captured[kPd].Value + captured[kPe].Value + captured[kCp].Value +
                captured[kDe].Value + captured[kNt].Value,
            "110001");
  for (const char* logon : {"x", "99999999999", " 1", "1.0", ""}) {
    TRegList stored = Stored({{kWg, "WG"}, {kLo, logon}});
    EXPECT_THROW(ShowSetting(form, stored, BindingForm::kFull), system::Exception) << logon;
  }

  // Separators in a row.
  captured = ShowAndCapture(Stored({{kIp, "10.0.0.1"},
                                    {kMs, "255.0.0.0"},
                                    {kGw, ",,,,"},
                                    {kDe, "1"},
                                    {kDh, "host"},
                                    {kDs, "a,,b,"}}));
  EXPECT_EQ(form.LbTgw.ItemCount(), 4);
  EXPECT_EQ(captured[kGw].Value, ",,,");
  EXPECT_EQ(captured[kDs].Value, "a,,b");

  // Bytes that are no Shift-JIS text, in every text the window shows.
  const std::string junk("\x81\xFF\x80\x00\xFD\x5C\x81", 7);
  const std::string text = "x" + junk;
  const int texts[] = {kDh, kDd, kWg, kLc, kCc, kLi, kLd, kWi, kEo, kPa};
  captured = ShowAndCapture(Stored({{kDh, text},
                                    {kDd, text},
                                    {kWg, text},
                                    {kLc, text},
                                    {kCc, text},
                                    {kLi, text},
                                    {kLd, text},
                                    {kIp, "10.0.0.1"},
                                    {kMs, "255.0.0.0"},
                                    {kNt, "8"},
                                    {kWp, "10.0.0.2"},
                                    {kWi, text},
                                    {kEe, "C:\\WINDOWS\\NOTEPAD.EXE"},
                                    {kEo, text},
                                    {kPe, "1"},
                                    {kPa, text},
                                    {kDe, "1"},
                                    {kDs, junk + "," + junk},
                                    {kLo, "0"},
                                    {kPc, "1"},
                                    {kPf, junk},
                                    {kPr, junk}}));
  for (int index : texts) EXPECT_EQ(captured[index].Value, text) << captured[index].KeyCode;
  EXPECT_EQ(captured[kDs].Value, junk + "," + junk);
  EXPECT_EQ(captured[kPf].Value, "");
  EXPECT_FALSE(captured[kPr].IsSet);
}

TEST_F(FRoundTripTest, TenThousandGatewaysTakeNoTime) {
  std::string gateways;
  for (int i = 0; i < 10000; ++i) {
    if (i > 0) gateways += ',';
    gateways += "10." + std::to_string(i / 256) + "." + std::to_string(i % 256) + ".1";
  }
  const TRegList stored = Stored({{kIp, "10.0.0.1"},
                                  {kMs, "255.0.0.0"},
                                  {kGw, gateways},
                                  {kDe, "1"},
                                  {kDh, "host"},
                                  {kDi, gateways}});
  const auto start = std::chrono::steady_clock::now();
  const TRegList captured = ShowAndCapture(stored);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(form.LbTgw.ItemCount(), 10000);
  EXPECT_EQ(captured[kGw].Value, gateways);
  EXPECT_EQ(captured[kDi].Value, gateways);
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace zuba::ui
