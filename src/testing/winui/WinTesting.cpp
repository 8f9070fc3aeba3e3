#include "testing/winui/WinTesting.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "frontend/win32/WinGlyphs.h"
#include "journal/JournalText.h"

namespace zuba::winui::wintest {

namespace {

// The action of the next timer; one at a time is enough for the tests.
std::function<void()>& PendingAction() {
  static std::function<void()> action;
  return action;
}

void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> action = std::move(PendingAction());
  PendingAction() = nullptr;
  if (action) action();
}

void Be32(std::vector<unsigned char>* out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<unsigned char>(v >> shift));
}

void Chunk(std::vector<unsigned char>* png, const char* type, const std::vector<unsigned char>& data) {
  Be32(png, static_cast<std::uint32_t>(data.size()));
  std::vector<unsigned char> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png->insert(png->end(), body.begin(), body.end());
  Be32(png, journal::Crc32({reinterpret_cast<const char*>(body.data()), body.size()}));
}

// An RGB PNG of `rgb` (rows top down), deflated in stored blocks.
std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgb) {
  std::vector<unsigned char> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3);
  }
  std::vector<unsigned char> z{0x78, 0x01};
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back(static_cast<unsigned char>(n));
    z.push_back(static_cast<unsigned char>(n >> 8));
    z.push_back(static_cast<unsigned char>(~n));
    z.push_back(static_cast<unsigned char>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    if (raw.empty()) break;
  }
  Be32(&z, (b << 16) | a);
  std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> header;
  Be32(&header, static_cast<std::uint32_t>(width));
  Be32(&header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});
  Chunk(&png, "IHDR", header);
  Chunk(&png, "IDAT", z);
  Chunk(&png, "IEND", {});
  return png;
}

}  // namespace

void Settle(WinUiServices& ui, int ms) {
  DWORD until = GetTickCount() + static_cast<DWORD>(ms);
  do {
    ui.ProcessMessages();
    Sleep(5);
  } while (static_cast<int>(until - GetTickCount()) > 0);
  ui.ProcessMessages();
}

void PostClick(WinUiServices& ui, HWND hwnd, int x, int y) {
  RECT client;
  GetClientRect(hwnd, &client);
  if (x < 0) x = client.right / 2;
  if (y < 0) y = client.bottom / 2;
  PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Settle(ui, 0);
}

void PostRightClick(WinUiServices& ui, HWND hwnd, int x, int y) {
  PostMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
  PostMessageA(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
  Settle(ui, 0);
}

void PostKey(WinUiServices& ui, HWND hwnd, WPARAM key) {
  PostMessageA(hwnd, WM_KEYDOWN, key, 1);
  PostMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
  Settle(ui, 0);
}

void PostChars(WinUiServices& ui, HWND hwnd, const std::string& text) {
  for (char c : text) PostMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
  Settle(ui, 0);
}

RECT PlaceInParent(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

void Soon(const std::function<void()>& action, int ms) {
  PendingAction() = action;
  SetTimer(nullptr, 0, static_cast<UINT>(ms), RunPending);
}

bool SaveScreenshot(HWND hwnd, const std::string& name) {
  RECT frame;
  GetWindowRect(hwnd, &frame);
  return SaveScreenshotOf(frame, name);
}

bool SaveScreenshotOf(const RECT& frame, const std::string& name) {
  const char* dir = std::getenv("ZUBA_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == '\0') return true;
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, w, h, screen, frame.left, frame.top, SRCCOPY);
  SelectObject(copy, old);
  BITMAPINFO info = TopDownDib(w, h);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
  GetDIBits(copy, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels.size() * 3);
  for (std::uint32_t p : pixels) {
    rgb.push_back(static_cast<unsigned char>(p >> 16));
    rgb.push_back(static_cast<unsigned char>(p >> 8));
    rgb.push_back(static_cast<unsigned char>(p));
  }
  std::vector<unsigned char> png = EncodePng(w, h, rgb);
  std::string path = std::string(dir) + "\\" + name + ".png";
  CreateDirectoryA(dir, nullptr);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace zuba::winui::wintest
