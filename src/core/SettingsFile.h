// The settings file: the INI file named after the program, beside it, that
// holds every saved Setting and the program's own state. Its sections:
//
//   [Initialize]         options Opt1 ... Opt7, the main window's position
//                        (WindowSize.X/.Y), Previous (the setting applied
//                        last), IniConvert (the file is in the current
//                        layout), H_LOC_MCN and H_CUR_USR (registry flush
//                        results), SaveWarnings (a save warns about a
//                        setting that cannot work), TrialSeconds (how long
//                        the confirmation of a trial apply waits)
//   [SETTINGLIST]        LISTEDIT (the user ordered the list by hand) and the
//                        list SETTINGS (SETTINGS.Count, SETTINGS.0, ...)
//   [NIC_registry_list]  setting name = the adapter's subkey below the
//                        network-transport class key
//   [<setting name>]     one key per set item of the Setting, in item order
//   [Bounds]             never written; never taken for a Setting
//
// Every access goes through the store given (DefaultDir ddApplication, Fence
// fnNone); reads never fail, refused writes raise the store's error.
#ifndef ZUBA_CORE_SETTINGSFILE_H_
#define ZUBA_CORE_SETTINGSFILE_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/IniGT.h"
#include "core/Positioned.h"
#include "core/RegType.h"
#include "platform/Files.h"

namespace zuba::core {

// Section names.
inline constexpr char kInitializeSection[] = "Initialize";
inline constexpr char kSettingListSection[] = "SETTINGLIST";
inline constexpr char kAdapterSection[] = "NIC_registry_list";
inline constexpr char kBoundsSection[] = "Bounds";

// Keys and key-scheme names.
inline constexpr char kWindowSizeName[] = "WindowSize";  // position only: .X and .Y
inline constexpr char kPreviousKey[] = "Previous";
inline constexpr char kIniConvertKey[] = "IniConvert";
inline constexpr char kFlushLocalMachineKey[] = "H_LOC_MCN";
inline constexpr char kFlushCurrentUserKey[] = "H_CUR_USR";
inline constexpr char kSaveWarningsKey[] = "SaveWarnings";
inline constexpr char kTrialSecondsKey[] = "TrialSeconds";
// How long the confirmation of a trial apply waits when TrialSeconds is
// missing or less than one second.
inline constexpr int kDefaultTrialSeconds = 60;
inline constexpr char kListEditKey[] = "LISTEDIT";
inline constexpr char kSettingsListName[] = "SETTINGS";

// The options Opt1 ... Opt7.
inline constexpr int kOptionCount = 7;
// "Opt1" ... "Opt7" for `number` 1 ... 7.
std::string OptionKey(int number);
// The value of a missing option: Opt1, Opt2, Opt4, Opt5 on; Opt3, Opt6,
// Opt7 off.
bool OptionDefault(int number);

// Every key [Initialize] holds, in this order: Opt1 ... Opt7, WindowSize.X,
// WindowSize.Y, Previous, IniConvert, H_LOC_MCN, H_CUR_USR, SaveWarnings,
// TrialSeconds.
const std::vector<std::string>& InitializeKeyNames();

// Whether `name` is one of the four reserved section names (Initialize,
// SETTINGLIST, NIC_registry_list, Bounds), without regard to case.
bool IsReservedSection(const std::string& name);

// Sorts setting names ascending without regard to the case of ASCII and
// full-width Latin letters, as the toolkit's sorted lists order them (the
// order of a rebuilt setting list). Names that compare equal keep their order.
void SortSettingNames(std::vector<std::string>* names);

class SettingsFile {
 public:
  // `ini` addresses the settings file; `files` reads it whole to rebuild the
  // setting list. Both must outlive this object.
  SettingsFile(TIniGT& ini, platform::Files& files);

  // --- [Initialize] -------------------------------------------------------

  // Option `number` (1 ... 7), OptionDefault when missing.
  bool ReadOption(int number);
  void WriteOption(int number, bool on);

  // WindowSize.X/.Y; a missing key leaves that edge where it is.
  void ReadWindowPosition(TPositioned* window);
  void WriteWindowPosition(const TPositioned& window);

  // The choices of the options menu that [Initialize] keeps.
  struct MenuChoices {
    bool options[kOptionCount] = {};  // Opt1 ... Opt7
    bool saveWarnings = true;
  };
  // What the main window keeps at its close: WindowSize.X/.Y, Opt1 ...
  // Opt7 and SaveWarnings, in one atomic change of [Initialize] that leaves
  // the file as those key-by-key writes would (a section too large to be
  // listed whole, or one the platform refuses to take at once, is written
  // key by key).
  void WriteWindowState(const TPositioned& window, const MenuChoices& choices);
  // The menu's choices alone, in one change as above.
  void WriteMenuChoices(const MenuChoices& choices);

  // The setting applied last; empty when missing.
  std::string ReadPrevious();
  void WritePrevious(const std::string& name);

  // IniConvert: whether the file is in the current layout (false when missing).
  bool ReadConverted();
  void WriteConverted(bool converted);

  // Where the file does not exist yet, starts it in the current layout
  // (IniConvert=1), so that a file the program makes itself is never taken
  // for one of the first layout. Answers whether it did; a file that exists
  // is left as it is. A refused write raises the store's error.
  bool StartIfMissing();

  // H_LOC_MCN and H_CUR_USR: the result codes of flushing the two roots.
  void WriteFlushResults(std::int32_t localMachine, std::int32_t currentUser);

  // SaveWarnings: whether a save warns about a setting that cannot work
  // (core/SettingWarnings); true when missing.
  bool ReadSaveWarnings();
  void WriteSaveWarnings(bool on);

  // TrialSeconds: the seconds the confirmation of a trial apply waits for
  // the user before it goes back; kDefaultTrialSeconds when missing, not a
  // number or less than one (a box that answers before it can be read
  // would undo every trial).
  int ReadTrialSeconds();

  // --- The setting list ---------------------------------------------------

  // LISTEDIT: whether the user has ordered the list by hand (false when missing).
  bool ReadListEdited();
  void WriteListEdited(bool edited);

  // The setting names from the file's section headers, read from the last
  // line to the first, reserved sections skipped without regard to case,
  // each name once, sorted. Empty when the file cannot be read.
  std::vector<std::string> RebuildSettingList();

  // The stored list SETTINGS in its stored order.
  std::vector<std::string> ReadSettingList();
  // Writes SETTINGS.Count and SETTINGS.0 ... in one atomic change: keys
  // already there are replaced in place, the other keys of [SETTINGLIST]
  // stay (also those of an earlier, longer list). A section too large to be
  // listed whole is written anew with LISTEDIT as it stands and the list.
  // A section the platform refuses to take in one call is written key by
  // key (WriteTextList).
  void WriteSettingList(const std::vector<std::string>& names);

  // The list shown at start-up: the stored one when LISTEDIT is on, else the
  // rebuilt one.
  std::vector<std::string> LoadSettingList();

  // The file RebuildSettingList reads: the program's path with ".INI". The
  // platform compares file names without regard to case, so this is the
  // store's file.
  std::string ListedFilePath();

  // --- [NIC_registry_list] ------------------------------------------------

  // The adapter subkey stored for a setting; empty when there is none.
  std::string ReadAdapter(const std::string& name);
  void WriteAdapter(const std::string& name, const std::string& subkey);

  // Every entry as (setting name, subkey) in file order, read in one call;
  // a value in one pair of quotes without them, as ReadAdapter reads it.
  // A name that the file holds twice (in any case) is given once, with the
  // value ReadAdapter reads: the first.
  std::vector<std::pair<std::string, std::string>> ReadAdapterEntries();

  // Removes the entry of `name` (without regard to case; each of them when
  // a hand-edited file holds several), the other entries staying as they
  // stand, in their order.
  void RemoveAdapterEntry(const std::string& name);

  // --- Setting sections ---------------------------------------------------

  // Whether the section `name` has at least one key.
  bool SettingExists(const std::string& name);

  // Reads the section `name` into `*setting`, which the caller has made
  // fresh (InitRegList): each key that is an item's key code sets that
  // item's Value to the key's text and marks it set; other keys are
  // ignored. A missing section leaves the list as it was.
  void RecallSetting(const std::string& name, TRegList* setting);

  // The text of the key `keyCode` in the section `name`; empty when missing.
  std::string ReadSettingText(const std::string& name, const std::string& keyCode);

  // Writes one key per set item 0 ... 32 in item order: 's' items their
  // Value, 'b' and 'x' items "0" when Value is "0", else "1". Answers the
  // indices of set items skipped for a Vtype other than these (none in the
  // item table). The keys replace those of the section in one atomic change
  // (callers write a section that has none, or delete it first), so a
  // refused write leaves no part of the setting behind.
  std::vector<int> SaveSetting(const std::string& name, const TRegList& setting);

  // Removes the section `name`.
  void DeleteSetting(const std::string& name);

  // The section `name` as "key=value" lines in file order, values raw.
  std::vector<std::string> ReadSettingEntries(const std::string& name);
  // Replaces the section's keys with `entries` in one atomic change.
  void WriteSettingEntries(const std::string& name, const std::vector<std::string>& entries);

  // --- The file -----------------------------------------------------------

  // Has every write made so far put on the disk (the platform's profile
  // cache flushed): the end of each save, delete and reorder.
  void Flush();

  // One change of the file made of several writes (a setting saved,
  // replaced or deleted, the list reordered): its writes are held while it
  // lasts and Commit makes them in one replacement of the file, so that
  // the file holds all of the change or none of it. A change that ends
  // without Commit (an error on the way) forgets its writes where the
  // platform holds them.
  class Change {
   public:
    explicit Change(SettingsFile& file);
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;
    ~Change();
    // Flush; raises system::Exception when the file cannot be written.
    void Commit();

   private:
    SettingsFile& file_;
    bool committed_ = false;
  };

 private:
  // Writes the keys (raw values) of [Initialize] in one change as
  // WriteWindowState says, or key by key when that cannot be.
  void WriteInitializeKeys(const std::vector<std::pair<std::string, std::string>>& keys);

  TIniGT& ini_;
  platform::Files& files_;
};

}  // namespace zuba::core

#endif  // ZUBA_CORE_SETTINGSFILE_H_
