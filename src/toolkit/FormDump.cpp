#include "toolkit/FormDump.h"

#include <cstdio>

#include "platform/TextCodec.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ListControl.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/StatusBar.h"

namespace zuba::toolkit {
namespace {

// Appends a CP932 text as a JSON string in UTF-8.
void String(std::string* json, const std::string& text) {
  *json += '"';
  for (char c : platform::Cp932ToUtf8(text)) {
    switch (c) {
      case '"': *json += "\\\""; break;
      case '\\': *json += "\\\\"; break;
      case '\n': *json += "\\n"; break;
      case '\r': *json += "\\r"; break;
      case '\t': *json += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          *json += escaped;
        } else {
          *json += c;
        }
    }
  }
  *json += '"';
}

void Key(std::string* json, const char* key) {
  if (json->back() != '{') *json += ", ";
  *json += '"';
  *json += key;
  *json += "\": ";
}

void Field(std::string* json, const char* key, const std::string& text) {
  Key(json, key);
  String(json, text);
}

void Field(std::string* json, const char* key, bool value) {
  Key(json, key);
  *json += value ? "true" : "false";
}

void Field(std::string* json, const char* key, int value) {
  Key(json, key);
  *json += std::to_string(value);
}

void Items(std::string* json, const std::vector<std::string>& items, int index) {
  Key(json, "items");
  *json += '[';
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) *json += ", ";
    String(json, items[i]);
  }
  *json += ']';
  Field(json, "index", index);
}

const char* StateName(CheckState state) {
  switch (state) {
    case CheckState::kChecked: return "checked";
    case CheckState::kGrayed: return "grayed";
    default: return "unchecked";
  }
}

void DumpControl(std::string* json, const Control& control) {
  if (json->back() != '[') *json += ", ";
  *json += '{';
  Field(json, "name", control.Name());
  Key(json, "kind");
  *json += '"';
  *json += KindName(control.Kind());
  *json += '"';
  Field(json, "visible", control.Visible());
  Field(json, "enabled", control.Usable());
  if (auto* bar = dynamic_cast<const StatusBar*>(&control)) {
    Field(json, "text", bar->SimpleText());
  } else if (control.Kind() != ControlKind::kPicture) {
    Field(json, "text", control.Text());
  }
  if (auto* box = dynamic_cast<const CheckBox*>(&control)) {
    Field(json, "state", std::string(StateName(box->State())));
  }
  if (auto* list = dynamic_cast<const ListControl*>(&control)) {
    Items(json, list->Items(), list->ItemIndex());
  } else if (auto* group = dynamic_cast<const RadioGroup*>(&control)) {
    Items(json, group->Items(), group->ItemIndex());
  }
  Field(json, "hint", control.Hint());
  const Rect& r = control.Bounds();
  Key(json, "bounds");
  *json += "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.width) + ", " + std::to_string(r.height) + "]";
  *json += '}';
  for (const Control* child : control.Children()) DumpControl(json, *child);
}

void DumpItems(std::string* json, const MenuItem& parent) {
  for (const MenuItem* item : parent.Items()) {
    if (json->back() != '[') *json += ", ";
    *json += '{';
    Field(json, "name", item->Name());
    Field(json, "caption", item->Caption());
    Field(json, "checked", item->Checked());
    Field(json, "enabled", item->Enabled());
    Field(json, "visible", item->Visible());
    *json += '}';
    DumpItems(json, *item);
  }
}

}  // namespace

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kForm: return "form";
    case ControlKind::kPanel: return "panel";
    case ControlKind::kGroupBox: return "groupbox";
    case ControlKind::kRadioGroup: return "radiogroup";
    case ControlKind::kLabel: return "label";
    case ControlKind::kPicture: return "picture";
    case ControlKind::kEdit: return "edit";
    case ControlKind::kFileNameEdit: return "filenameedit";
    case ControlKind::kButton: return "button";
    case ControlKind::kCheckBox: return "checkbox";
    case ControlKind::kRadioButton: return "radiobutton";
    case ControlKind::kComboBox: return "combobox";
    case ControlKind::kListBox: return "listbox";
    case ControlKind::kStatusBar: return "statusbar";
  }
  return "control";
}

std::string DumpForm(const Form& form) {
  std::string json = "{";
  Field(&json, "form", form.Name());
  Field(&json, "caption", form.Caption());
  Key(&json, "client");
  json += "[" + std::to_string(form.ClientWidth()) + ", " + std::to_string(form.ClientHeight()) +
          "]";
  Key(&json, "controls");
  json += '[';
  for (const Control* child : form.Children()) DumpControl(&json, *child);
  json += ']';
  Key(&json, "menus");
  json += '[';
  for (std::size_t i = 0; i < form.ComponentCount(); ++i) {
    if (auto* menu = dynamic_cast<PopupMenu*>(&form.ComponentAt(i))) DumpItems(&json, menu->Items());
  }
  json += ']';
  Field(&json, "focus", form.ActiveControl() != nullptr ? form.ActiveControl()->Name() : "");
  json += '}';
  return json;
}

}  // namespace zuba::toolkit
