#include "toolkit/UserScript.h"

#include <utility>

#include "platform/TextCodec.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Edit.h"
#include "toolkit/FormDump.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListControl.h"
#include "toolkit/RadioGroup.h"

namespace zuba::toolkit {
namespace {

struct NamedKey {
  const char* name;
  std::uint16_t key;
};

constexpr NamedKey kKeys[] = {
    {"Return", vk::kReturn}, {"Escape", vk::kEscape}, {"Delete", vk::kDelete},
    {"Tab", vk::kTab},       {"F1", vk::kF1},         {"Space", vk::kSpace},
    {"Back", vk::kBack},     {"Up", vk::kUp},         {"Down", vk::kDown},
    {"Left", vk::kLeft},     {"Right", vk::kRight},   {"Home", vk::kHome},
    {"End", vk::kEnd},
};

constexpr NamedKey kModifiers[] = {
    {"Shift+", kShiftKey},
    {"Ctrl+", kCtrlKey},
    {"Alt+", kAltKey},
};

bool ParseKey(std::string text, std::uint16_t* key, ShiftState* shift) {
  unsigned flags = 0;
  for (bool found = true; found;) {
    found = false;
    for (const NamedKey& modifier : kModifiers) {
      std::string prefix = modifier.name;
      if (text.size() > prefix.size() && SameTextNoCase(text.substr(0, prefix.size()), prefix)) {
        flags |= modifier.key;
        text.erase(0, prefix.size());
        found = true;
      }
    }
  }
  for (const NamedKey& named : kKeys) {
    if (SameTextNoCase(text, named.name)) {
      *key = named.key;
      *shift = ShiftState(flags);
      return true;
    }
  }
  return false;
}

// Splits off the first word (up to a blank); `*rest` is what follows the
// blank, and `*more` tells whether there was one.
std::string Word(const std::string& text, std::string* rest, bool* more) {
  std::size_t blank = text.find(' ');
  *more = blank != std::string::npos;
  *rest = *more ? text.substr(blank + 1) : std::string();
  return text.substr(0, blank);
}

Control* FindNamedControl(Form& form, const std::string& name) {
  if (SameTextNoCase(form.Name(), name)) return &form;
  return form.FindControl(name);
}

MenuItem* FindMenuItem(Form& form, const std::string& name) {
  for (std::size_t i = 0; i < form.ComponentCount(); ++i) {
    if (auto* menu = dynamic_cast<PopupMenu*>(&form.ComponentAt(i))) {
      if (MenuItem* item = menu->FindItem(name)) return item;
    }
  }
  return nullptr;
}

bool HiddenOnForm(const Control& control) {
  for (const Control* c = &control; c->Parent() != nullptr; c = c->Parent()) {
    if (!c->Visible()) return true;
  }
  return false;
}

bool HiddenMenuItem(const MenuItem& item) {
  for (const MenuItem* i = &item; i != nullptr; i = i->ParentItem()) {
    if (!i->Visible()) return true;
  }
  return false;
}

int RadioIndexOf(const RadioGroup& group, const std::string& text) {
  const std::vector<std::string>& items = group.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (SameTextNoCase(items[i], text)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool ParseScriptAnswer(const std::string& text, ScriptAnswer* answer, std::string* error) {
  static const std::pair<const char*, MessageResult> kButtons[] = {
      {"ok", MessageResult::kOk},
      {"cancel", MessageResult::kCancel},
      {"yes", MessageResult::kYes},
      {"no", MessageResult::kNo},
  };
  for (const auto& [name, result] : kButtons) {
    if (SameTextNoCase(text, name)) {
      *answer = ScriptAnswer{ScriptAnswer::Kind::kButton, result, std::string()};
      return true;
    }
  }
  if (text.size() > 5 && SameTextNoCase(text.substr(0, 5), "file=")) {
    bool exact = true;
    std::string path = platform::Utf8ToCp932(text.substr(5), &exact);
    if (exact) {
      *answer = ScriptAnswer{ScriptAnswer::Kind::kFile, MessageResult::kOk, path};
      return true;
    }
  }
  *error = "--answer '" + text + "': expected ok, cancel, yes, no or file=WINPATH";
  return false;
}

bool ParseUserAction(const std::string& text, UserAction* action, std::string* error) {
  static const std::pair<const char*, UserAction::Verb> kVerbs[] = {
      {"click", UserAction::Verb::kClick}, {"rclick", UserAction::Verb::kRightClick},
      {"type", UserAction::Verb::kType},   {"key", UserAction::Verb::kKey},
      {"choose", UserAction::Verb::kChoose}, {"dump", UserAction::Verb::kDump},
      {"toggle", UserAction::Verb::kToggle}, {"dblclick", UserAction::Verb::kDoubleClick},
      {"drag", UserAction::Verb::kDrag},
  };
  auto fail = [&](const std::string& why) {
    *error = "--do '" + text + "': " + why;
    return false;
  };
  UserAction parsed;
  parsed.source = text;
  std::string rest;
  bool more = false;
  std::string verb = Word(text, &rest, &more);
  bool known = false;
  for (const auto& [name, value] : kVerbs) {
    if (verb == name) {
      parsed.verb = value;
      known = true;
    }
  }
  if (!known) {
    return fail("unknown action (expected click, rclick, dblclick, type, key, choose, toggle, "
                "drag or dump)");
  }
  if (parsed.verb == UserAction::Verb::kDump) {
    if (more) return fail("dump takes nothing more");
    *action = parsed;
    return true;
  }
  std::string argument;
  bool hasArgument = false;
  parsed.name = Word(rest, &argument, &hasArgument);
  if (parsed.name.empty()) return fail("NAME is missing");
  switch (parsed.verb) {
    case UserAction::Verb::kClick:
    case UserAction::Verb::kRightClick:
    case UserAction::Verb::kDoubleClick:
      if (hasArgument) return fail(verb + " takes only a NAME");
      break;
    case UserAction::Verb::kDrag: {
      std::string extra;
      bool more = false;
      parsed.text = Word(argument, &extra, &more);
      if (parsed.text.empty()) return fail("TARGET is missing");
      if (more) return fail("drag takes a NAME and a TARGET only");
      break;
    }
    case UserAction::Verb::kKey:
      if (!ParseKey(argument, &parsed.key, &parsed.shift)) {
        return fail("KEY '" + argument + "' is not a key (Return, Escape, Delete, Tab, F1, ...)");
      }
      break;
    case UserAction::Verb::kChoose:
    case UserAction::Verb::kToggle:
      if (!hasArgument) return fail("TEXT is missing");
      [[fallthrough]];
    case UserAction::Verb::kType: {
      bool exact = true;
      parsed.text = platform::Utf8ToCp932(argument, &exact);
      if (!exact) return fail("TEXT holds a character code page 932 does not have");
      break;
    }
    case UserAction::Verb::kDump:
      break;
  }
  *action = parsed;
  return true;
}

UserScript::UserScript(std::vector<ScriptAnswer> answers, std::vector<UserAction> actions,
                       std::ostream& out, std::ostream& err)
    : answers_(answers.begin(), answers.end()),
      actions_(actions.begin(), actions.end()),
      out_(out),
      err_(err) {}

std::optional<MessageResult> UserScript::TakeButton(MessageButtons buttons) {
  if (answers_.empty()) return std::nullopt;
  const ScriptAnswer& next = answers_.front();
  if (next.kind != ScriptAnswer::Kind::kButton || !ButtonsOffer(buttons, next.button)) {
    return std::nullopt;
  }
  MessageResult result = next.button;
  answers_.pop_front();
  return result;
}

bool UserScript::TakeFile(std::string* path) {
  if (answers_.empty()) return false;
  const ScriptAnswer& next = answers_.front();
  if (next.kind == ScriptAnswer::Kind::kFile) {
    *path = next.file;
    answers_.pop_front();
    return true;
  }
  if (next.button == MessageResult::kCancel) answers_.pop_front();
  return false;
}

MenuItem* UserScript::TakeMenuChoice(PopupMenu& menu) {
  if (!HasAction()) return nullptr;
  const UserAction& next = actions_.front();
  if (next.verb != UserAction::Verb::kClick) return nullptr;
  MenuItem* item = menu.FindItem(next.name);
  if (item == nullptr) return nullptr;
  UserAction taken = std::move(actions_.front());
  actions_.pop_front();
  if (!item->Reachable() || item->IsLine()) {
    Unreachable(taken, HiddenMenuItem(*item));
    return nullptr;
  }
  return item;
}

void UserScript::RunNext(Form& form) {
  if (!HasAction()) return;
  UserAction action = std::move(actions_.front());
  actions_.pop_front();
  Run(form, action);
}

void UserScript::Fail(const UserAction& action, const std::string& why) {
  err_ << "--do '" << action.source << "': " << why << "\n";
  err_.flush();
  failed_ = true;
}

void UserScript::Unreachable(const UserAction& action, bool hidden) {
  err_ << "--do '" << action.source << "': " << action.name << " is "
       << (hidden ? "not visible" : "disabled") << "; nothing done\n";
  err_.flush();
}

void UserScript::Run(Form& form, const UserAction& action) {
  if (action.verb == UserAction::Verb::kDump) {
    out_ << DumpForm(form) << "\n";
    out_.flush();
    return;
  }
  Control* control = FindNamedControl(form, action.name);
  if (control == nullptr) {
    MenuItem* item = action.verb == UserAction::Verb::kClick ? FindMenuItem(form, action.name)
                                                             : nullptr;
    if (item == nullptr) {
      Fail(action, "no control" +
                       std::string(action.verb == UserAction::Verb::kClick ? " or menu item" : "") +
                       " named " + action.name + " on " + form.Name());
    } else if (!item->Click()) {
      Unreachable(action, HiddenMenuItem(*item));
    }
    return;
  }
  bool done = false;
  switch (action.verb) {
    case UserAction::Verb::kClick:
      done = control->Click();
      break;
    case UserAction::Verb::kRightClick:
      done = control->RightClick(control->Width() / 2, control->Height() / 2);
      break;
    case UserAction::Verb::kDoubleClick:
      done = control->DoubleClick();
      break;
    case UserAction::Verb::kDrag: {
      Control* target = FindNamedControl(form, action.text);
      if (target == nullptr) {
        Fail(action, "no control named " + action.text + " on " + form.Name());
        return;
      }
      if (!target->Reachable()) {
        UserAction onTarget = action;
        onTarget.name = action.text;
        Unreachable(onTarget, HiddenOnForm(*target));
        return;
      }
      done = control->DragTo(*target, target->Width() / 2, target->Height() / 2);
      break;
    }
    case UserAction::Verb::kToggle: {
      auto* list = dynamic_cast<ListBox*>(control);
      if (list == nullptr) {
        Fail(action, action.name + " is no list box");
        return;
      }
      const int index = list->IndexOf(action.text);
      if (index < 0) {
        Fail(action, action.name + " has no entry '" + platform::Cp932ToUtf8(action.text) + "'");
        return;
      }
      done = list->ToggleChoice(index);
      break;
    }
    case UserAction::Verb::kKey:
      done = control->PressKey(action.key, action.shift);
      break;
    case UserAction::Verb::kType: {
      auto* edit = dynamic_cast<Edit*>(control);
      auto* combo = dynamic_cast<ComboBox*>(control);
      if (edit == nullptr && (combo == nullptr || combo->Style() != ComboStyle::kDropDown)) {
        Fail(action, action.name + " takes no typed text");
        return;
      }
      done = control->Focus();
      if (done && edit != nullptr) done = edit->EditText("");
      if (done && combo != nullptr) combo->SetText("");
      if (done) done = control->TypeText(action.text);
      break;
    }
    case UserAction::Verb::kChoose: {
      int index = -1;
      auto* list = dynamic_cast<ListControl*>(control);
      auto* group = dynamic_cast<RadioGroup*>(control);
      if (list == nullptr && group == nullptr) {
        Fail(action, action.name + " has no entries to choose from");
        return;
      }
      index = list != nullptr ? list->IndexOf(action.text) : RadioIndexOf(*group, action.text);
      if (index < 0) {
        Fail(action, action.name + " has no entry '" + platform::Cp932ToUtf8(action.text) + "'");
        return;
      }
      done = list != nullptr ? list->Choose(index) : group->Choose(index);
      break;
    }
    case UserAction::Verb::kDump:
      break;
  }
  if (!done) Unreachable(action, HiddenOnForm(*control));
}

void UserScript::Print(const std::string& utf8) {
  out_ << utf8 << "\n";
  out_.flush();
}

}  // namespace zuba::toolkit
