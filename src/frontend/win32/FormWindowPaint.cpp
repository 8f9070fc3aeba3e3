// The form window's painting: the windows of our own class (panels, group
// boxes, labels, pictures), the owner-drawn glyph buttons and the colours
// of the system's controls.
#include "frontend/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "frontend/win32/FormWindowStyles.h"
#include "frontend/win32/WinGlyphs.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/Picture.h"
#include "toolkit/RadioButton.h"
#include "toolkit/StatusBar.h"

namespace zuba::winui {

using toolkit::Control;
using toolkit::ControlKind;

namespace {

// Text drawn as Windows draws a disabled caption: etched, white below
// right, grey on top.
void EtchedText(HDC dc, const std::string& text, RECT rect, UINT flags) {
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF ink = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shadow = rect;
  OffsetRect(&shadow, 1, 1);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, flags);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetTextColor(dc, ink);
  SetBkMode(dc, mode);
}

void Caption(HDC dc, const std::string& text, RECT rect, UINT flags, bool enabled,
             COLORREF ink) {
  if (text.empty()) return;
  if (!enabled) {
    EtchedText(dc, text, rect, flags);
    return;
  }
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old = SetTextColor(dc, ink);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// One bevel line just inside `rect`: light top and left, dark bottom and
// right for a raised one, the other way round for a lowered one.
void Bevel(HDC dc, const RECT& rect, toolkit::Bevel bevel) {
  if (bevel == toolkit::Bevel::kNone) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  COLORREF topLeft = bevel == toolkit::Bevel::kRaised ? light : dark;
  COLORREF bottomRight = bevel == toolkit::Bevel::kRaised ? dark : light;
  int r = rect.right - 1;
  int b = rect.bottom - 1;
  Line(dc, rect.left, rect.top, r, rect.top, topLeft);
  Line(dc, rect.left, rect.top, rect.left, b, topLeft);
  Line(dc, rect.left, b, r + 1, b, bottomRight);
  Line(dc, r, rect.top, r, b, bottomRight);
}

UINT HorizontalOf(toolkit::Alignment alignment) {
  switch (alignment) {
    case toolkit::Alignment::kRightJustify:
      return DT_RIGHT;
    case toolkit::Alignment::kCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

// --- Painting ----------------------------------------------------------------

void FormWindow::Paint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  auto it = controls_.find(hwnd);
  if (it != controls_.end() && form_ != nullptr) {
    RECT rect;
    GetClientRect(hwnd, &rect);
    PaintPane(*it->second, dc, rect);
  }
  EndPaint(hwnd, &paint);
}

void FormWindow::PaintPane(Control& control, HDC dc, const RECT& rect) {
  GdiCache& gdi = host_.Gdi();
  bool transparentLabel = control.Kind() == ControlKind::kLabel &&
                          static_cast<toolkit::Label&>(control).Transparent();
  toolkit::Color back = transparentLabel && control.Parent() != nullptr
                            ? control.Parent()->GetColor()
                            : control.GetColor();
  FillRect(dc, &rect, gdi.Brush(back));
  if (control.Kind() == ControlKind::kForm) return;
  // A one-line caption narrowed to fit its place.
  auto fitting = [&](int width) {
    const std::string& caption = control.Caption();
    bool oneLine = caption.find('\r') == std::string::npos && caption.find('\n') == std::string::npos;
    return oneLine ? gdi.FittingFont(control.GetFont(), caption, width) : gdi.Font(control.GetFont());
  };
  int room = rect.right - rect.left;
  if (control.Kind() == ControlKind::kGroupBox || control.Kind() == ControlKind::kRadioGroup) {
    room -= 2 * kGroupCaptionLeft;
  } else if (control.Kind() == ControlKind::kPanel) {
    room -= 6;
  }
  bool wraps = control.Kind() == ControlKind::kLabel &&
               static_cast<toolkit::Label&>(control).WordWrap();
  HGDIOBJ oldFont = SelectObject(dc, wraps ? gdi.Font(control.GetFont()) : fitting(room));
  COLORREF ink = ColorRefOf(control.GetFont().color);
  bool enabled = control.Enabled();
  switch (control.Kind()) {
    case ControlKind::kLabel: {
      auto& label = static_cast<toolkit::Label&>(control);
      UINT flags = HorizontalOf(label.GetAlignment()) | DT_TOP | DT_EXPANDTABS |
                   (label.WordWrap() ? DT_WORDBREAK : 0);
      Caption(dc, control.Caption(), rect, flags, enabled, ink);
      break;
    }
    case ControlKind::kPanel: {
      auto& panel = static_cast<toolkit::Panel&>(control);
      RECT inside = rect;
      Bevel(dc, inside, panel.BevelOuter());
      if (panel.BevelOuter() != toolkit::Bevel::kNone) InflateRect(&inside, -1, -1);
      Bevel(dc, inside, panel.BevelInner());
      if (panel.BevelInner() != toolkit::Bevel::kNone) InflateRect(&inside, -1, -1);
      InflateRect(&inside, -1, 0);
      Caption(dc, control.Caption(), inside,
              HorizontalOf(panel.GetAlignment()) | DT_VCENTER | DT_SINGLELINE, enabled, ink);
      break;
    }
    case ControlKind::kGroupBox:
    case ControlKind::kRadioGroup: {
      TEXTMETRICA metrics;
      GetTextMetricsA(dc, &metrics);
      RECT frame = rect;
      frame.top = metrics.tmHeight / 2;
      DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
      if (control.Caption().empty()) break;
      // The frame stops either side of the caption.
      RECT text{kGroupCaptionLeft + 1, 0, rect.right - kGroupCaptionLeft, metrics.tmHeight};
      RECT measured = text;
      DrawTextA(dc, control.Caption().c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
      RECT gap{kGroupCaptionLeft, 0, std::min(measured.right, text.right) + 1, metrics.tmHeight};
      FillRect(dc, &gap, gdi.Brush(back));
      Caption(dc, control.Caption(), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER, enabled, ink);
      break;
    }
    case ControlKind::kPicture: {
      auto& picture = static_cast<toolkit::Picture&>(control);
      SIZE size;
      if (!GlyphSize(picture.ImageName(), &size)) break;
      COLORREF background = ColorRefOf(back);
      if (picture.Stretch()) {
        DrawGlyph(dc, picture.ImageName(), true, background, 0, 0, rect.right, rect.bottom);
      } else if (picture.Center()) {
        DrawGlyph(dc, picture.ImageName(), true, background, (rect.right - size.cx) / 2,
                  (rect.bottom - size.cy) / 2);
      } else {
        DrawGlyph(dc, picture.ImageName(), true, background, 0, 0);
      }
      break;
    }
    default:
      break;
  }
  SelectObject(dc, oldFont);
}

void FormWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  auto it = controls_.find(item.hwndItem);
  if (it == controls_.end() || it->second->Kind() != ControlKind::kButton) return;
  auto& button = static_cast<toolkit::Button&>(*it->second);
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  GdiCache& gdi = host_.Gdi();
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool enabled = button.Enabled();
  FillRect(dc, &rect, gdi.Brush(button.GetColor()));
  // The default button, and a focused one, wear a black frame outside
  // the bevel.
  if (button.Default() || focused) {
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rect, -1, -1);
  }
  if (pressed) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    FillRect(dc, &rect, gdi.Brush(button.GetColor()));
  }
  rect = item.rcItem;
  InflateRect(&rect, -4, -4);
  const int shift = pressed ? 1 : 0;
  const std::string& caption = button.Caption();
  SIZE glyph{0, 0};
  const bool hasGlyph = GlyphSize(button.Glyph(), &glyph);
  bool above = button.Layout() == toolkit::GlyphLayout::kTop ||
               button.Layout() == toolkit::GlyphLayout::kBottom;
  int room = rect.right - rect.left;
  if (hasGlyph && !above) room -= glyph.cx + 4;
  HGDIOBJ oldFont = SelectObject(dc, gdi.FittingFont(button.GetFont(), caption, room));
  RECT measured{0, 0, 0, 0};
  if (!caption.empty()) {
    DrawTextA(dc, caption.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
  }
  int spacing = hasGlyph && !caption.empty() ? 4 : 0;
  int textWidth = std::min<int>(measured.right, rect.right - rect.left - glyph.cx - spacing);
  int textHeight = measured.bottom;
  COLORREF face = ColorRefOf(button.GetColor());
  RECT text = rect;
  if (above) {
    int top = rect.top + (rect.bottom - rect.top - glyph.cy - spacing - textHeight) / 2;
    if (hasGlyph) {
      DrawGlyph(dc, button.Glyph(), enabled, face,
                rect.left + (rect.right - rect.left - glyph.cx) / 2 + shift, top + shift);
    }
    text = RECT{rect.left, top + glyph.cy + spacing, rect.right,
                top + glyph.cy + spacing + textHeight};
  } else {
    int group = glyph.cx + spacing + textWidth;
    int left = rect.left + (rect.right - rect.left - group) / 2;
    if (hasGlyph) {
      DrawGlyph(dc, button.Glyph(), enabled, face, left + shift,
                item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - glyph.cy) / 2 + shift);
    }
    text = RECT{left + glyph.cx + spacing, rect.top, left + glyph.cx + spacing + textWidth,
                rect.bottom};
  }
  OffsetRect(&text, shift, shift);
  Caption(dc, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled,
          ColorRefOf(button.GetFont().color));
  SelectObject(dc, oldFont);
  if (focused) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT FormWindow::ColorFor(HWND child, HDC dc) {
  Control* control = ControlFor(child);
  if (control == nullptr) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  toolkit::Color color = control->GetColor();
  SetTextColor(dc, ColorRefOf(control->GetFont().color));
  SetBkColor(dc, ColorRefOf(color));
  return reinterpret_cast<LRESULT>(host_.Gdi().Brush(color));
}

LRESULT FormWindow::Notify(const NMHDR& header) {
  if (header.code != TTN_NEEDTEXTA || form_ == nullptr) return 0;
  auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
  Control* control = ControlOf(reinterpret_cast<HWND>(header.idFrom));
  tipText_ = control != nullptr ? TipOf(*control) : std::string();
  // An empty text shows no tip.
  info.lpszText = const_cast<char*>(tipText_.c_str());
  info.hinst = nullptr;
  return 0;
}

}  // namespace zuba::winui
