// What the files of the form window share: the window styles of the
// system's controls as the model's properties ask for them, and sizes.
#ifndef ZUBA_FRONTEND_WIN32_FORMWINDOWSTYLES_H_
#define ZUBA_FRONTEND_WIN32_FORMWINDOWSTYLES_H_

#include "frontend/win32/WinApi.h"

#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ListBox.h"

namespace zuba::winui {

constexpr int kBrowseWidth = 18;  // the browse button inside a file-name edit
constexpr int kGroupCaptionLeft = 8;
// What a check box whose caption wraps keeps from its caption's lines: the
// box, the gap after it and a pixel each side for the focus rectangle.
constexpr int kWrappedCaptionInset = 19;

inline DWORD CheckBoxStyle(const toolkit::CheckBox& box) {
  DWORD style = BS_3STATE;
  if (box.WordWrap()) style |= BS_MULTILINE;
  if (box.CaptionSide() == toolkit::Alignment::kLeftJustify) style |= BS_LEFTTEXT;
  switch (box.CaptionPlacement()) {
    case toolkit::VerticalPlacement::kTop:
      style |= BS_TOP;
      break;
    case toolkit::VerticalPlacement::kBottom:
      style |= BS_BOTTOM;
      break;
    default:
      style |= BS_VCENTER;
      break;
  }
  return style;
}

inline DWORD ComboStyle(const toolkit::ComboBox& combo) {
  return combo.Style() == toolkit::ComboStyle::kDropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                         : CBS_DROPDOWNLIST;
}

inline DWORD ListStyle(const toolkit::ListBox& list) {
  return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
         (list.MultiSelect() ? LBS_MULTIPLESEL : 0);
}

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_FORMWINDOWSTYLES_H_
