#pragma once
// CDib: a device-independent bitmap read from a Windows bitmap file ("BM"):
// the company logo of the report's first page and the signature of a record.
//
//   CDib logo;
//   if (logo.Read(path) != 0)                       // 0: no bitmap
//     logo.Draw(dc, platform::Rect{left, top, right, bottom});
//
// A file is taken apart only after every size, offset and count in its
// headers has been checked against the length of the file: a damaged or
// hostile file leaves the bitmap empty, nothing is read past its end.
// Understood: info headers of 40 bytes and the longer ones (52, 56, 108,
// 124), 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, run-length
// encoded (8 and 4 bits) and bit fields (16 and 32 bits), bottom-up and
// top-down rows. The colour table follows the header size the file states.
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawtypes.h"

namespace platform {
class DrawContext;
}

class CDib {
 public:
  // Compression codes of the info header.
  enum : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };
  static constexpr std::uint32_t kMinInfoHeaderSize = 40;

  CDib() = default;

  // Empties the bitmap.
  void Free();
  bool IsEmpty() const { return info_.empty(); }

  // Reads a "BM" file; gives the number of bytes read, 0 (bitmap empty) when
  // the file cannot be read or is no sound bitmap.
  std::size_t Read(const std::filesystem::path& file);
  // The same from the bytes of such a file.
  std::size_t ReadFromBytes(std::string_view bytes);
  // Writes the bitmap as a "BM" file; gives the bytes written, 0 when empty
  // or when the file cannot be written.
  std::size_t Write(const std::filesystem::path& file) const;
  // The bytes of that file; empty when the bitmap is empty.
  std::string WriteToBytes() const;

  // Draws the bitmap stretched into the destination (page units, either
  // order of top and bottom); the source is a part of the bitmap in pixels
  // from its top-left corner, the whole bitmap without one. Gives the
  // number of scan lines drawn, 0 when the bitmap is empty.
  int Draw(platform::DrawContext& dc, const platform::Rect& dest, const platform::Rect* source = nullptr) const;

  int GetWidth() const;
  // Rows of the picture (also for top-down files, whose header holds it negative).
  int GetHeight() const;
  int GetBitCount() const;
  std::uint32_t GetCompression() const;
  // Entries of the colour table: the used-colour count when set, else 2, 16
  // or 256 for 1, 4 or 8 bits, else 0.
  int GetColorCount() const;
  int GetPaletteSize() const { return GetColorCount() * 4; }
  // Bytes of one row of uncompressed pixels (whole 32-bit words).
  int GetRowSize() const;
  // The palette built from the colour table; empty without colour table.
  const std::vector<platform::ColorRef>& GetPalette() const { return palette_; }
  // The picture, upright, as 32-bit RGB; null when empty.
  const QImage& GetImage() const { return image_; }

 private:
  bool Parse(std::string_view bytes);

  std::string info_;  // info header, bit masks, colour table
  std::string bits_;  // pixel bits as the file holds them
  std::vector<platform::ColorRef> palette_;
  QImage image_;
};
