#include "resource/IconPicture.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace zuba::resource {
namespace {

constexpr char kLetters[] = "krgynptsdRGYBMCw";  // palette order, index 0 to 15

// The Windows palette, as RGB.
constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette{{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

[[noreturn]] void Fail(int line, const std::string& what) {
  throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

void Put16(std::string* out, std::uint32_t value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string* out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Put32Big(std::string* out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<char>(value >> shift));
}

// The bitmap part of one image as Windows 95 reads it from an icon file.
std::string ImageBits(const IconImage& image) {
  const int n = image.size;
  std::string out;
  Put32(&out, 40);     // biSize
  Put32(&out, n);      // biWidth
  Put32(&out, 2 * n);  // biHeight: the colour rows and the mask rows
  Put16(&out, 1);      // biPlanes
  Put16(&out, 4);      // biBitCount
  for (int i = 0; i < 6; ++i) Put32(&out, 0);  // no compression, sizes and colours implied
  for (const auto& rgb : kPalette) {
    out.push_back(static_cast<char>(rgb[2]));
    out.push_back(static_cast<char>(rgb[1]));
    out.push_back(static_cast<char>(rgb[0]));
    out.push_back(0);
  }
  const int colourRow = ((n * 4 + 31) / 32) * 4;
  const int maskRow = ((n + 31) / 32) * 4;
  for (int y = n - 1; y >= 0; --y) {
    std::string row(colourRow, '\0');
    for (int x = 0; x < n; ++x) {
      std::uint8_t p = image.pixels[y * n + x];
      std::uint8_t index = p == kTransparent ? 0 : p;  // black under the mask
      row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
    }
    out += row;
  }
  for (int y = n - 1; y >= 0; --y) {
    std::string row(maskRow, '\0');
    for (int x = 0; x < n; ++x) {
      if (image.pixels[y * n + x] == kTransparent) {
        row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
      }
    }
    out += row;
  }
  return out;
}

std::uint32_t Crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void PngChunk(std::string* out, const std::string& type, const std::string& data) {
  Put32Big(out, static_cast<std::uint32_t>(data.size()));
  *out += type;
  *out += data;
  Put32Big(out, Crc32(type + data));
}

// A zlib stream of `raw` in stored (uncompressed) blocks.
std::string StoredZlib(const std::string& raw) {
  std::string out = "\x78\x01";
  std::size_t at = 0;
  do {
    std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
    out.push_back(at + n == raw.size() ? 1 : 0);
    Put16(&out, static_cast<std::uint32_t>(n));
    Put16(&out, static_cast<std::uint32_t>(~n & 0xFFFF));
    out.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Put32Big(&out, (b << 16) | a);
  return out;
}

}  // namespace

std::vector<IconImage> ParseIconPicture(const std::string& text) {
  std::vector<IconImage> images;
  std::size_t at = 0;
  int lineNumber = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line.rfind("icon ", 0) == 0) {
      if (!images.empty() && images.back().pixels.size() != 0u + images.back().size * images.back().size) {
        Fail(lineNumber, "the image before has too few rows");
      }
      int size = std::atoi(line.c_str() + 5);
      if (size != 16 && size != 32 && size != 48) Fail(lineNumber, "an icon is 16, 32 or 48 pixels");
      images.push_back({size, {}});
      continue;
    }
    if (images.empty()) Fail(lineNumber, "a row before \"icon SIZE\"");
    IconImage& image = images.back();
    if (static_cast<int>(line.size()) != image.size) {
      Fail(lineNumber, "a row of " + std::to_string(line.size()) + " pixels, not " +
                           std::to_string(image.size));
    }
    if (image.pixels.size() == 0u + image.size * image.size) Fail(lineNumber, "one row too many");
    for (char c : line) {
      if (c == '.') {
        image.pixels.push_back(kTransparent);
        continue;
      }
      const char* found = c == '\0' ? nullptr : std::strchr(kLetters, c);
      if (found == nullptr) Fail(lineNumber, std::string("no colour is named '") + c + "'");
      image.pixels.push_back(static_cast<std::uint8_t>(found - kLetters));
    }
  }
  if (images.empty()) Fail(lineNumber, "no image");
  if (images.back().pixels.size() != 0u + images.back().size * images.back().size) {
    Fail(lineNumber, "the last image has too few rows");
  }
  return images;
}

std::string IconFile(const std::vector<IconImage>& images) {
  std::string out;
  Put16(&out, 0);  // reserved
  Put16(&out, 1);  // an icon
  Put16(&out, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  std::string bits;
  for (const IconImage& image : images) {
    std::string one = ImageBits(image);
    out.push_back(static_cast<char>(image.size));
    out.push_back(static_cast<char>(image.size));
    out.push_back(16);  // colours
    out.push_back(0);
    Put16(&out, 1);  // planes
    Put16(&out, 4);  // bits a pixel
    Put32(&out, static_cast<std::uint32_t>(one.size()));
    Put32(&out, offset);
    offset += static_cast<std::uint32_t>(one.size());
    bits += one;
  }
  return out + bits;
}

std::string IconPng(const std::vector<IconImage>& images, int scale) {
  int width = scale, height = 0;
  for (const IconImage& image : images) {
    width += image.size * scale + scale;
    height = std::max(height, image.size * scale);
  }
  // One byte a pixel: the palette's index, kTransparent where nothing is.
  std::vector<std::uint8_t> indexes(static_cast<std::size_t>(width) * height, kTransparent);
  int left = scale;
  for (const IconImage& image : images) {
    for (int y = 0; y < image.size * scale; ++y) {
      for (int x = 0; x < image.size * scale; ++x) {
        indexes[static_cast<std::size_t>(y) * width + left + x] =
            image.pixels[(y / scale) * image.size + x / scale];
      }
    }
    left += image.size * scale + scale;
  }
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    raw.append(reinterpret_cast<const char*>(&indexes[static_cast<std::size_t>(y) * width]),
               static_cast<std::size_t>(width));
  }
  std::string header;
  Put32Big(&header, static_cast<std::uint32_t>(width));
  Put32Big(&header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x03\x00\x00\x00", 5);  // 8-bit indexes, deflate, no interlace
  std::string palette, alpha;
  for (const auto& rgb : kPalette) {
    palette.append(reinterpret_cast<const char*>(rgb.data()), 3);
    alpha.push_back(static_cast<char>(0xFF));
  }
  palette.append(3, '\0');  // kTransparent
  alpha.push_back(0);
  std::string out = "\x89PNG\r\n\x1a\n";
  PngChunk(&out, "IHDR", header);
  PngChunk(&out, "PLTE", palette);
  PngChunk(&out, "tRNS", alpha);
  PngChunk(&out, "IDAT", StoredZlib(raw));
  PngChunk(&out, "IEND", "");
  return out;
}

}  // namespace zuba::resource
