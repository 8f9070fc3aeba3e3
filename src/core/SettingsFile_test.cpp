#include "core/SettingsFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "system/Errors.h"
#include "testing/TempMachine.h"

namespace zuba::core {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kIniPath[] = "C:\\ZUBANET\\Zubanet.ini";

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() : ini_(machine_.profiles(), machine_.files()), file_(ini_, machine_.files()) {
    ini_.Loaded();
  }

  void StoreFile(const std::string& content) {
    ASSERT_TRUE(machine_.files().WriteBytes(kIniPath, content));
  }
  std::string FileText() {
    std::string content;
    machine_.files().ReadBytes(kIniPath, &content);
    return content;
  }
  TRegList FreshList() {
    TRegList list;
    InitRegList(list, false, machine_.system());
    return list;
  }

  testing::TempMachine machine_;
  TIniGT ini_;
  SettingsFile file_;
};

TEST_F(SettingsFileTest, InitializeDefaultsAndKeys) {
  EXPECT_EQ(file_.ListedFilePath(), "C:\\ZUBANET\\ZUBANET.INI");
  const bool defaults[] = {true, true, false, true, true, false, false};
  for (int n = 1; n <= kOptionCount; ++n) EXPECT_EQ(file_.ReadOption(n), defaults[n - 1]) << n;
  EXPECT_EQ(file_.ReadPrevious(), "");
  EXPECT_FALSE(file_.ReadConverted());
  EXPECT_FALSE(file_.ReadListEdited());
  EXPECT_TRUE(file_.ReadSaveWarnings());

  file_.WriteOption(3, true);
  file_.WriteOption(1, false);
  file_.WritePrevious("home");
  file_.WriteConverted(true);
  file_.WriteFlushResults(0, 1010);
  file_.WriteSaveWarnings(false);
  EXPECT_TRUE(file_.ReadOption(3));
  EXPECT_FALSE(file_.ReadSaveWarnings());
  EXPECT_FALSE(file_.ReadOption(1));
  EXPECT_EQ(FileText(),
            "[Initialize]\r\nOpt3=1\r\nOpt1=0\r\nPrevious=home\r\nIniConvert=1\r\n"
            "H_LOC_MCN=0\r\nH_CUR_USR=1010\r\nSaveWarnings=0\r\n");
  // The trial's time: 60 seconds unless a whole number of at least one.
  for (const auto& [text, seconds] : std::vector<std::pair<const char*, int>>{
           {nullptr, 60}, {"90", 90}, {"1", 1}, {"0", 60}, {"-5", 60}, {"soon", 60}}) {
    if (text != nullptr) ini_.WriteText("Initialize", "TrialSeconds", text);
    EXPECT_EQ(file_.ReadTrialSeconds(), seconds) << (text ? text : "missing");
  }
  EXPECT_TRUE(IsReservedSection("nic_REGISTRY_list"));
  EXPECT_TRUE(IsReservedSection("BOUNDS"));
  EXPECT_FALSE(IsReservedSection("Initialize2"));
}

TEST_F(SettingsFileTest, AFileTheProgramStartsIsOfTheCurrentLayoutAnOldOneStaysAsItIs) {
  EXPECT_TRUE(file_.StartIfMissing());
  EXPECT_EQ(FileText(), "[Initialize]\r\nIniConvert=1\r\n");
  EXPECT_TRUE(file_.ReadConverted());
  EXPECT_FALSE(file_.StartIfMissing());

  const std::string firstLayout = "[Initialize]\r\nOpt1=1\r\nOffice=0000\r\n";
  StoreFile(firstLayout);
  EXPECT_FALSE(file_.StartIfMissing());
  EXPECT_EQ(FileText(), firstLayout);
  EXPECT_FALSE(file_.ReadConverted());
}

// The reserved sections, [Bounds] and two settings; the list names Office
// only, and LISTEDIT is what the test puts in.
std::string FileWithListEdit(const std::string& listEditLine) {
  return "[Initialize]\r\nOpt1=1\r\n[SETTINGLIST]\r\n" + listEditLine +
         "SETTINGS.Count=1\r\nSETTINGS.0=Office\r\n[NIC_registry_list]\r\nOffice=0000\r\n"
         "[Bounds]\r\nx=1\r\n[Office]\r\nip=1.2.3.4\r\n[home]\r\ncp=0\r\n";
}

TEST_F(SettingsFileTest, SettingListRebuiltFromHeadersOrReadAsStored) {
  EXPECT_THAT(file_.LoadSettingList(), IsEmpty());  // no file yet

  StoreFile(FileWithListEdit(""));
  EXPECT_THAT(file_.LoadSettingList(), ElementsAre("home", "Office"));
  StoreFile(FileWithListEdit("LISTEDIT=0\r\n"));
  EXPECT_THAT(file_.LoadSettingList(), ElementsAre("home", "Office"));

  StoreFile(FileWithListEdit("LISTEDIT=1\r\n"));
  EXPECT_TRUE(file_.ReadListEdited());
  EXPECT_THAT(file_.LoadSettingList(), ElementsAre("Office"));
  EXPECT_THAT(file_.RebuildSettingList(), ElementsAre("home", "Office"));
}

TEST_F(SettingsFileTest, HeadersAreReadAsThePlatformReadsThem) {
  StoreFile(
      "[initialize]\r\n[settingList]\r\n[bounds]\r\n[  Nic_Registry_List ]\r\n"
      "[beta]\r\n  [ alpha ]  \r\n[Gamma] trailing text\r\n[]\r\n[ソ]\r\n[ゾ]\r\n"
      "[BETA]\r\nk=v\r\n[x_1]\r\n[Ｂ]\r\n[ａ]\r\n[xa]\r\n[delta]");
  // ゾ is 83 5D: its second byte is no "]". Full-width letters sort without
  // regard to case too (ａ is 82 81, Ｂ 82 61).
  EXPECT_THAT(file_.RebuildSettingList(),
              ElementsAre("alpha", "beta", "delta", "Gamma", "xa", "x_1", "ａ", "Ｂ", "ソ", "ゾ"));
}

TEST_F(SettingsFileTest, RebuildReadsAnyBytes) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 37) & 0xFF);
  // Junk, a very long line, a header cut after a lead byte, no final line end.
  StoreFile(junk + "\r\n[home]\r\n" + std::string(100000, '[') + "\r\n[\x83]\r\n[zz\x83");
  const std::vector<std::string> names = file_.RebuildSettingList();
  EXPECT_NE(std::find(names.begin(), names.end(), "home"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "zz\x83"), names.end());
  // 83 5D is one character, so its "]" closes nothing.
  EXPECT_NE(std::find(names.begin(), names.end(), "\x83]"), names.end());
}

TEST_F(SettingsFileTest, StoredListKeepsItsOrderAndIgnoresStaleKeys) {
  file_.WriteSettingList({"c", "a", "b"});
  file_.WriteSettingList({"z", "y"});
  EXPECT_THAT(file_.ReadSettingList(), ElementsAre("z", "y"));
  EXPECT_NE(FileText().find("SETTINGS.2=b"), std::string::npos);
  file_.WriteListEdited(true);
  EXPECT_THAT(file_.LoadSettingList(), ElementsAre("z", "y"));
}

TEST_F(SettingsFileTest, ListTooLargeToListIsWrittenAnewWithItsFlag) {
  // 3,000 names are more than the platform lists of a section at once.
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) names.push_back("Setting" + std::to_string(10000 + i));
  StoreFile("[SETTINGLIST]\r\nLISTEDIT=1\r\nOther=x\r\n[home]\r\ncp=1\r\n");
  file_.WriteSettingList(names);  // small yet: merged, Other stays
  EXPECT_EQ(ini_.ReadText(kSettingListSection, "Other", ""), "x");
  names.pop_back();
  file_.WriteSettingList(names);  // now rewritten: the stale last key goes
  EXPECT_EQ(file_.ReadSettingList(), names);
  EXPECT_TRUE(file_.ReadListEdited());
  EXPECT_EQ(ini_.ReadText(kSettingListSection, "SETTINGS.2999", "gone"), "gone");
  EXPECT_TRUE(file_.SettingExists("home"));
}

// Refuses every whole-section write, as Windows refuses one too large.
class NoSectionWrites : public platform::ProfilesWrapper {
 public:
  using ProfilesWrapper::ProfilesWrapper;
  bool WriteSection(const std::string&, const std::vector<std::string>&,
                    const std::string&) override {
    return false;
  }
};

TEST_F(SettingsFileTest, ListRefusedAsOneSectionIsWrittenKeyByKey) {
  StoreFile("[SETTINGLIST]\r\nLISTEDIT=1\r\nSETTINGS.Count=3\r\nSETTINGS.2=old\r\n");
  NoSectionWrites refusing(machine_.profiles());
  TIniGT store(refusing, machine_.files());
  store.Loaded();
  SettingsFile file(store, machine_.files());
  file.WriteSettingList({"b", "a"});
  EXPECT_EQ(FileText(),
            "[SETTINGLIST]\r\nLISTEDIT=1\r\nSETTINGS.Count=2\r\nSETTINGS.2=old\r\n"
            "SETTINGS.0=b\r\nSETTINGS.1=a\r\n");
}

// Counts the platform's writes of whole sections and of single keys.
class CountingWrites : public NoSectionWrites {
 public:
  CountingWrites(platform::Profiles& inner, bool refuseSections)
      : NoSectionWrites(inner), refuseSections_(refuseSections) {}
  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override {
    ++sections;
    return !refuseSections_ && ProfilesWrapper::WriteSection(section, entries, file);
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    ++keys;
    return ProfilesWrapper::WriteString(section, key, value, file);
  }
  int sections = 0, keys = 0;

 private:
  bool refuseSections_;
};

// The window's position and the menu's choices at the close (and the choices alone)
// leave the file as the key-by-key writes do: in one write of
// [Initialize], or key by key when the platform refuses that.
TEST_F(SettingsFileTest, WindowStateInOneWriteLeavesTheFileAsKeyByKeyWrites) {
  const std::string start =
      "[Initialize]\r\n; kept\r\nopt2=0\r\nPrevious=Home\r\nWINDOWSIZE.x=5\r\n"
      "[Office]\r\nip=1.2.3.4\r\n";
  const SettingsFile::MenuChoices choices{{true, false, true, false, true, false, true}, false};
  class Position : public TPositioned {
   public:
    int Left() const override { return -20; }
    int Top() const override { return 300; }
    void SetLeft(int) override {}
    void SetTop(int) override {}
  } position;
  StoreFile(start);
  file_.WriteWindowPosition(position);
  for (int n = 1; n <= kOptionCount; ++n) file_.WriteOption(n, choices.options[n - 1]);
  file_.WriteSaveWarnings(false);
  const std::string keyByKey = FileText();

  for (bool refuse : {false, true}) {
    SCOPED_TRACE(refuse ? "sections refused" : "one write");
    StoreFile(start);
    CountingWrites counting(machine_.profiles(), refuse);
    TIniGT store(counting, machine_.files());
    store.Loaded();
    SettingsFile file(store, machine_.files());
    file.WriteWindowState(position, choices);
    EXPECT_EQ(FileText(), keyByKey);
    EXPECT_EQ(counting.sections, 1);
    EXPECT_EQ(counting.keys, refuse ? 2 + kOptionCount + 1 : 0);
    file.WriteMenuChoices({{false, false, false, false, false, false, false}, true});
    for (int n = 1; n <= kOptionCount; ++n) EXPECT_FALSE(file.ReadOption(n)) << n;
    EXPECT_TRUE(file.ReadSaveWarnings());
    EXPECT_EQ(counting.sections, 2);
  }
}

TEST_F(SettingsFileTest, SaveWritesSetItemsInTableOrderWithTheirStoredForms) {
  TRegList setting = FreshList();
  auto set = [&](int index, const std::string& value) {
    setting[index].Value = value;
    setting[index].IsSet = true;
  };
  set(kPr, "Printer");
  set(kCp, "");   // 'b': anything but "0" is "1"
  set(kPd, "0");  // 'x'
  set(kPc, "5");  // 'x'
  set(kPe, "1");  // 'x'
  set(kGw, "10.0.0.1,10.0.0.2");
  set(kDh, "");  // an empty text is still written
  set(kIp, "10.0.0.5");
  setting[kLo].Value = "1";  // not set: no key
  file_.SaveSetting("Office", setting);
  EXPECT_EQ(FileText(),
            "[Office]\r\nip=10.0.0.5\r\ngw=10.0.0.1,10.0.0.2\r\ndh=\r\npe=1\r\ncp=1\r\npc=1\r\n"
            "pd=0\r\npr=Printer\r\n");
  EXPECT_TRUE(file_.SettingExists("OFFICE"));
  EXPECT_FALSE(file_.SettingExists("home"));

  setting[kTl].IsSet = true;
  setting[kTl].Vtype = 'q';
  EXPECT_THAT(file_.SaveSetting("Other", setting), ElementsAre(static_cast<int>(kTl)));
}

TEST_F(SettingsFileTest, RecallReadsItemKeysAndIgnoresOthers) {
  StoreFile("[home]\r\nzz=1\r\nIP=9.9.9.9\r\ncp=1\r\npr=\r\nlo=2\r\n");
  TRegList setting = FreshList();
  file_.RecallSetting("HOME", &setting);
  EXPECT_FALSE(setting[kIp].IsSet);  // key codes match exactly
  EXPECT_EQ(setting[kCp].Value, "1");
  EXPECT_TRUE(setting[kPr].IsSet);
  EXPECT_EQ(setting[kPr].Value, "");
  EXPECT_EQ(setting[kLo].Value, "2");
  EXPECT_FALSE(setting[kGw].IsSet);
  EXPECT_FALSE(setting[kSpareSlot].IsSet);

  TRegList empty = FreshList();
  file_.RecallSetting("missing", &empty);
  for (int i = 0; i < kItemCount; ++i) EXPECT_FALSE(empty[i].IsSet) << i;
}

TEST_F(SettingsFileTest, RemoveAdapterEntryKeepsTheOthersAsTheyStand) {
  StoreFile(
      "[NIC_registry_list]\r\nzeta=0003\r\nOffice=0000\r\nソフト=0001\r\nhome=\"0002\"\r\n"
      "office=0004\r\nempty=\r\n[Office]\r\nip=1.2.3.4\r\n");
  // All entries in one read, as ReadAdapter reads each.
  EXPECT_EQ(file_.ReadAdapterEntries(),
            (std::vector<std::pair<std::string, std::string>>{
                {"zeta", "0003"}, {"Office", "0000"}, {"ソフト", "0001"}, {"home", "0002"}, {"empty", ""}}));
  EXPECT_EQ(file_.ReadSettingText("Office", "ip"), "1.2.3.4");
  file_.RemoveAdapterEntry("OFFICE");  // both spellings of a hand-edited file go
  EXPECT_EQ(FileText(),
            "[NIC_registry_list]\r\nzeta=0003\r\nソフト=0001\r\nhome=\"0002\"\r\nempty=\r\n"
            "[Office]\r\nip=1.2.3.4\r\n");
  file_.RemoveAdapterEntry("not there");
  EXPECT_EQ(file_.ReadAdapter("home"), "0002");
  EXPECT_EQ(file_.ReadAdapter("ソフト"), "0001");
  EXPECT_EQ(file_.ReadAdapter("Office"), "");
}

TEST_F(SettingsFileTest, RemoveAdapterEntryKeepsEveryEntryOfALongList) {
  // 26,000 bytes of names need more than the first buffer; 39,000 are more
  // than the platform lists at once.
  for (int count : {2000, 3000}) {
    std::string content = "[NIC_registry_list]\r\n";
    for (int i = 0; i < count; ++i) content += "Setting" + std::to_string(10000 + i) + "=0000\r\n";
    StoreFile(content);
    file_.RemoveAdapterEntry("Setting10001");
    EXPECT_EQ(file_.ReadAdapter("Setting10001"), "") << count;
    for (int i : {0, 2, count - 1}) {
      EXPECT_EQ(file_.ReadAdapter("Setting" + std::to_string(10000 + i)), "0000") << count;
    }
    const std::string text = FileText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), count) << count;
  }
}

// Lets `allowed` writes of any kind through, then refuses every write.
class RefuseAfter : public platform::ProfilesWrapper {
 public:
  RefuseAfter(platform::Profiles& target, int allowed) : ProfilesWrapper(target), left_(allowed) {}
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    return left_-- > 0 && target().WriteString(section, key, value, file);
  }
  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override {
    return left_-- > 0 && target().WriteSection(section, entries, file);
  }

 private:
  int left_;
};

TEST_F(SettingsFileTest, RefusedWriteKeepsTheWritesBeforeItAndNoPartOfASetting) {
  RefuseAfter refusing(machine_.profiles(), 1);
  TIniGT store(refusing, machine_.files());
  store.Loaded();
  SettingsFile file(store, machine_.files());
  TRegList setting = FreshList();
  for (int i : {kIp, kGw, kMs}) {
    setting[i].Value = "1.1.1.1";
    setting[i].IsSet = true;
  }
  file.WriteAdapter("Office", "0000");
  try {
    file.SaveSetting("Office", setting);
    FAIL() << "no error";
  } catch (const system::Exception& e) {
    EXPECT_EQ(std::string(e.what()), std::string(kIniPath) + " に書き込めません");
  }
  EXPECT_EQ(FileText(), "[NIC_registry_list]\r\nOffice=0000\r\n");
}

}  // namespace
}  // namespace zuba::core
