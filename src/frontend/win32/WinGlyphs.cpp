#include "frontend/win32/WinGlyphs.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "toolkit/GlyphNames.h"

namespace zuba::winui {

BITMAPINFO TopDownDib(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kMaroon = RGB(128, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kOlive = RGB(128, 128, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kSilver = RGB(192, 192, 192);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kLime = RGB(0, 255, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
// Pixels left in this colour are the picture's background.
const COLORREF kKey = RGB(255, 0, 255);

void Fill(HDC dc, int x, int y, int w, int h, COLORREF color) {
  RECT r{x, y, x + w, y + h};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// A rectangle filled with `fill` and outlined in `line`.
void Box(HDC dc, int x, int y, int w, int h, COLORREF fill, COLORREF line = kBlack) {
  Fill(dc, x, y, w, h, line);
  if (w > 2 && h > 2) Fill(dc, x + 1, y + 1, w - 2, h - 2, fill);
}

// A polygon filled with `fill`, outlined in `line`.
void Shape(HDC dc, std::initializer_list<POINT> points, COLORREF fill, COLORREF line = kBlack) {
  HPEN pen = CreatePen(PS_SOLID, 1, line);
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  std::vector<POINT> shape(points);
  Polygon(dc, shape.data(), static_cast<int>(shape.size()));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

// A line through `points`, `width` pixels wide, with round ends.
void Line(HDC dc, std::initializer_list<POINT> points, COLORREF color, int width) {
  LOGBRUSH brush{BS_SOLID, color, 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                          static_cast<DWORD>(width), &brush, 0, nullptr);
  HGDIOBJ old = SelectObject(dc, pen);
  std::vector<POINT> line(points);
  Polyline(dc, line.data(), static_cast<int>(line.size()));
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Disc(HDC dc, int left, int top, int right, int bottom, COLORREF fill,
          COLORREF line = kBlack) {
  HPEN pen = CreatePen(PS_SOLID, 1, line);
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Ellipse(dc, left, top, right, bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void OkMark(HDC dc) { Line(dc, {{3, 8}, {6, 12}, {13, 3}}, kGreen, 3); }

void CancelMark(HDC dc) {
  Line(dc, {{4, 4}, {12, 12}}, RGB(192, 0, 0), 3);
  Line(dc, {{12, 4}, {4, 12}}, RGB(192, 0, 0), 3);
}

// A sheet with lines of text and a pencil across it.
void Config(HDC dc) {
  Box(dc, 1, 1, 10, 14, kWhite);
  for (int y = 4; y <= 10; y += 2) Fill(dc, 3, y, 6, 1, kNavy);
  Shape(dc, {{8, 10}, {14, 4}, {16, 6}, {10, 12}}, kYellow);
  Shape(dc, {{14, 4}, {15, 3}, {16, 4}, {16, 6}}, kRed);
  Shape(dc, {{8, 10}, {10, 12}, {6, 14}}, RGB(255, 224, 160));
}

// A green arrow pointing into a computer screen.
void Apply(HDC dc) {
  Box(dc, 6, 1, 10, 10, kSilver);
  Box(dc, 8, 3, 6, 6, kTeal, kGrey);
  Fill(dc, 9, 11, 4, 2, kGrey);
  Box(dc, 7, 13, 8, 2, kSilver);
  Shape(dc, {{0, 4}, {4, 4}, {4, 1}, {9, 6}, {4, 11}, {4, 8}, {0, 8}}, kLime, kGreen);
}

// A waste bin with its lid.
void Delete(HDC dc) {
  Box(dc, 8, 1, 5, 3, kSilver);
  Box(dc, 3, 3, 15, 3, kSilver);
  Shape(dc, {{4, 6}, {16, 6}, {15, 18}, {5, 18}}, kSilver);
  for (int x = 7; x <= 13; x += 3) Fill(dc, x, 8, 1, 9, kGrey);
  for (int x = 8; x <= 14; x += 3) Fill(dc, x, 8, 1, 9, kWhite);
}

// A floppy disk.
void Save(HDC dc) {
  Box(dc, 1, 1, 14, 14, kNavy);
  Box(dc, 4, 1, 8, 7, kWhite);
  Fill(dc, 5, 3, 6, 1, kSilver);
  Fill(dc, 5, 5, 6, 1, kSilver);
  Box(dc, 4, 10, 8, 5, kSilver);
  Fill(dc, 9, 11, 2, 3, kNavy);
}

// A check list with a gear in front of it.
void Options(HDC dc) {
  Box(dc, 2, 1, 19, 25, kWhite);
  for (int i = 0; i < 4; ++i) {
    int y = 5 + 5 * i;
    Box(dc, 5, y, 5, 5, kWhite);
    Fill(dc, 12, y + 2, 6, 1, kNavy);
  }
  for (int i = 0; i < 2; ++i) {
    int y = 5 + 5 * i;
    Line(dc, {{6, y + 2}, {7, y + 3}, {9, y + 1}}, kGreen, 1);
  }
  // The gear: twelve teeth around a ring, a hole in the middle.
  std::vector<POINT> gear;
  for (int i = 0; i < 48; ++i) {
    double angle = i * 3.14159265358979 / 24;
    double radius = (i / 2) % 2 == 0 ? 10 : 7.5;
    gear.push_back({static_cast<LONG>(std::lround(21.5 + radius * std::cos(angle))),
                    static_cast<LONG>(std::lround(21.5 + radius * std::sin(angle)))});
  }
  HBRUSH brush = CreateSolidBrush(kSilver);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  Polygon(dc, gear.data(), static_cast<int>(gear.size()));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  Disc(dc, 17, 17, 27, 27, kGrey);
  Disc(dc, 19, 19, 25, 25, kWhite);
}

// A folder (browse for a file).
void Browse(HDC dc) {
  Box(dc, 1, 0, 5, 3, kYellow);
  Box(dc, 0, 2, 12, 9, kYellow);
  Fill(dc, 1, 3, 10, 1, kWhite);
}

// A printer with a sheet in it and one coming out.
void Printer(HDC dc) {
  Box(dc, 5, 1, 10, 8, kWhite);
  Fill(dc, 7, 3, 6, 1, kNavy);
  Fill(dc, 7, 5, 5, 1, kNavy);
  Box(dc, 1, 8, 18, 8, kSilver);
  Fill(dc, 2, 9, 16, 1, kWhite);
  Fill(dc, 3, 12, 11, 1, kBlack);
  Fill(dc, 15, 10, 2, 2, kLime);
  Box(dc, 4, 15, 12, 4, kWhite);
}

// A network card: the board, its chips, the contacts and the bracket.
void Network(HDC dc) {
  Box(dc, 1, 3, 13, 9, kGreen);
  Fill(dc, 3, 5, 3, 3, kBlack);
  Fill(dc, 7, 5, 4, 4, kBlack);
  for (int x = 3; x <= 11; x += 2) Fill(dc, x, 12, 1, 2, kOlive);
  Box(dc, 13, 1, 3, 14, kSilver);
  Fill(dc, 14, 5, 1, 4, kBlack);
}

// A telephone: the handset on its base, the dial.
void Telephone(HDC dc) {
  Shape(dc, {{3, 8}, {13, 8}, {16, 15}, {0, 15}}, kMaroon);
  Disc(dc, 6, 10, 12, 15, kSilver);
  LOGBRUSH brush{BS_SOLID, kBlack, 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND, 3, &brush, 0,
                          nullptr);
  HGDIOBJ old = SelectObject(dc, pen);
  POINT handset[] = {{3, 7}, {3, 4}, {5, 1}, {12, 1}, {14, 4}, {14, 7}};
  Polyline(dc, handset, 6);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// A computer and the telephone line it dials out on.
void DialUp(HDC dc) {
  Box(dc, 0, 0, 12, 10, kSilver);
  Box(dc, 2, 2, 8, 6, kTeal, kGrey);
  Box(dc, 3, 10, 6, 2, kSilver);
  Line(dc, {{6, 12}, {6, 14}, {10, 14}}, kBlack, 1);
  Line(dc, {{11, 12}, {11, 14}, {15, 14}, {15, 12}}, kMaroon, 2);
}

// A door standing open in its frame (closing the window).
void Close(HDC dc) {
  Box(dc, 3, 1, 10, 14, kYellow);
  Shape(dc, {{3, 1}, {8, 3}, {8, 15}, {3, 14}}, kMaroon);
  Fill(dc, 6, 8, 2, 2, kYellow);
}

// A screen showing three sliders, on its stand.
void ControlPanel(HDC dc) {
  Box(dc, 1, 0, 30, 21, kSilver);
  Fill(dc, 2, 1, 28, 1, kWhite);
  Fill(dc, 2, 1, 1, 19, kWhite);
  Box(dc, 4, 3, 24, 15, kTeal, kGrey);
  const int knobs[] = {6, 12, 9};
  for (int i = 0; i < 3; ++i) {
    int x = 9 + 7 * i;
    Fill(dc, x, 5, 1, 11, kBlack);
    Box(dc, x - 2, 5 + knobs[i] - 3, 5, 3, kSilver);
  }
  Fill(dc, 13, 21, 6, 3, kGrey);
  Box(dc, 8, 24, 16, 4, kSilver);
}

// In the order of toolkit::kGlyphNames.
void (*const kDraw[])(HDC) = {OkMark, CancelMark, Config, Apply, Delete, Save, Close,
                              Options, Browse, Printer, Network, DialUp, Telephone,
                              ControlPanel};
static_assert(sizeof kDraw / sizeof kDraw[0] == toolkit::kGlyphCount);

const toolkit::GlyphName* Find(const std::string& name) {
  const std::size_t index = toolkit::GlyphIndex(name);
  return index < toolkit::kGlyphCount ? &toolkit::kGlyphNames[index] : nullptr;
}

// A 32-bit top-down DIB section of w x h; `bits` receives its pixels
// (0x00RRGGBB).
HBITMAP MakeDib(int w, int h, std::uint32_t** bits) {
  BITMAPINFO info = TopDownDib(w, h);
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(pixels);
  return bitmap;
}

std::uint32_t Pixel(COLORREF color) {
  return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

// Windows NT batches GDI calls, so the bits of a DIB section show the
// drawing only after the batch is flushed. Windows 95 draws at once and its
// GDI32 need not export GdiFlush: it is looked up, not imported, so the
// program loads there.
void FlushGdi() {
  HMODULE gdi = GetModuleHandleA("GDI32.DLL");
  FARPROC flush = gdi != nullptr ? GetProcAddress(gdi, "GdiFlush") : nullptr;
  if (flush != nullptr) reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(flush))();
}

}  // namespace

bool GlyphSize(const std::string& name, SIZE* size) {
  const toolkit::GlyphName* picture = Find(name);
  if (picture == nullptr) return false;
  size->cx = picture->width;
  size->cy = picture->height;
  return true;
}

HBITMAP GlyphBitmap(const std::string& name, bool enabled, COLORREF background) {
  const toolkit::GlyphName* picture = Find(name);
  if (picture == nullptr) return nullptr;
  const int w = picture->width;
  const int h = picture->height;
  std::uint32_t* drawn = nullptr;
  HBITMAP canvas = MakeDib(w, h, &drawn);
  if (canvas == nullptr) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, canvas);
  Fill(dc, 0, 0, w, h, kKey);
  kDraw[picture - toolkit::kGlyphNames](dc);
  FlushGdi();
  std::uint32_t* out = nullptr;
  HBITMAP result = MakeDib(w, h, &out);
  const std::uint32_t key = Pixel(kKey);
  auto inked = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && drawn[y * w + x] != key;
  };
  for (int y = 0; y < h && result != nullptr; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint32_t pixel = Pixel(background);
      if (enabled) {
        if (inked(x, y)) pixel = drawn[y * w + x];
      } else if (inked(x, y)) {
        pixel = Pixel(kGrey);  // the shape in grey, its white shadow below right
      } else if (inked(x - 1, y - 1)) {
        pixel = Pixel(kWhite);
      }
      out[y * w + x] = pixel;
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(canvas);
  return result;
}

void DrawGlyph(HDC dc, const std::string& name, bool enabled, COLORREF background, int x, int y,
               int width, int height) {
  SIZE size;
  if (!GlyphSize(name, &size)) return;
  HBITMAP bitmap = GlyphBitmap(name, enabled, background);
  if (bitmap == nullptr) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  if (width > 0 && height > 0) {
    StretchBlt(dc, x, y, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
  } else {
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(bitmap);
}

}  // namespace zuba::winui
