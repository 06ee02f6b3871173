#include "reports/dib.h"

#include <QRect>
#include <algorithm>
#include <bit>
#include <climits>

#include "platform/drawcontext.h"
#include "platform/files.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
// Larger pictures are refused: no logo or signature comes near, and a
// forged header must not make us allocate gigabytes.
constexpr std::int64_t kMaxSide = 32768;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

std::uint32_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

void PutU16(std::string& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& b, std::size_t at, std::uint32_t v) {
  PutU16(b, at, v & 0xFFFF);
  PutU16(b, at + 2, v >> 16);
}

// One colour channel of a bit-field pixel, scaled to 0..255.
int Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t max = mask >> shift;
  return static_cast<int>(static_cast<std::uint64_t>((pixel & mask) >> shift) * 255u / max);
}

struct Layout {
  int width = 0;
  int height = 0;  // rows; the header's value may be negative (top-down)
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t masks[3] = {0, 0, 0};
  int colors = 0;
  std::size_t tableStart = 0;
  std::size_t infoEnd = 0;  // end of header, masks and colour table
  std::size_t rowSize = 0;
};

// Decodes a run-length encoded picture into colour indexes (one byte per
// pixel, bottom row first). False when the data end inside a command.
bool DecodeRle(std::string_view data, const Layout& l, std::vector<std::uint8_t>& indexes) {
  indexes.assign(static_cast<std::size_t>(l.width) * static_cast<std::size_t>(l.height), 0);
  const bool four = l.compression == CDib::kRle4;
  std::size_t pos = 0;
  std::int64_t x = 0, y = 0;
  auto put = [&](std::uint8_t index) {
    if (x < l.width && y < l.height)
      indexes[static_cast<std::size_t>(y) * static_cast<std::size_t>(l.width) + static_cast<std::size_t>(x)] = index;
    ++x;
  };
  while (y < l.height) {
    if (pos + 2 > data.size()) return pos >= data.size();  // a missing end mark ends the picture
    const auto count = static_cast<std::uint8_t>(data[pos]);
    const auto value = static_cast<std::uint8_t>(data[pos + 1]);
    pos += 2;
    if (count > 0) {  // a run of one colour (two alternating ones for 4 bits)
      for (int i = 0; i < count; ++i) put(four ? ((i % 2) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      return true;
    } else if (value == 2) {  // move right and up
      if (pos + 2 > data.size()) return false;
      x += static_cast<std::uint8_t>(data[pos]);
      y += static_cast<std::uint8_t>(data[pos + 1]);
      pos += 2;
    } else {  // `value` literal pixels, padded to whole words
      const std::size_t bytes = four ? (value + 1u) / 2u : value;
      if (pos + bytes > data.size()) return false;
      for (int i = 0; i < value; ++i) {
        const auto byte = static_cast<std::uint8_t>(data[pos + (four ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i))]);
        put(four ? ((i % 2) ? byte & 0x0F : byte >> 4) : byte);
      }
      pos += bytes + (bytes % 2);
    }
  }
  return true;
}

}  // namespace

void CDib::Free() {
  info_.clear();
  bits_.clear();
  palette_.clear();
  image_ = QImage();
}

std::size_t CDib::Read(const std::filesystem::path& file) {
  Free();
  const auto bytes = platform::ReadFileBytes(file, platform::FileKind::kBitmap);
  return bytes ? ReadFromBytes(*bytes) : 0;
}

std::size_t CDib::ReadFromBytes(std::string_view bytes) {
  Free();
  if (!Parse(bytes)) {
    Free();
    return 0;
  }
  return bytes.size();
}

bool CDib::Parse(std::string_view b) {
  const std::size_t length = b.size();
  if (length < kFileHeaderSize + kMinInfoHeaderSize || U16(b, 0) != 0x4D42) return false;
  const std::uint64_t offBits = U32(b, 10);
  const std::uint64_t headerSize = U32(b, kFileHeaderSize);
  if (headerSize < kMinInfoHeaderSize || kFileHeaderSize + headerSize > length) return false;
  if (offBits < kFileHeaderSize + headerSize || offBits > length) return false;

  Layout l;
  const auto width = static_cast<std::int32_t>(U32(b, 18));
  const auto height = static_cast<std::int32_t>(U32(b, 22));
  const std::uint32_t planes = U16(b, 26);
  l.bitCount = static_cast<int>(U16(b, 28));
  l.compression = U32(b, 30);
  const std::uint32_t sizeImage = U32(b, 34);
  const std::uint32_t colorsUsed = U32(b, 46);
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1) return false;
  l.width = width;
  l.topDown = height < 0;
  l.height = l.topDown ? -height : height;
  if (l.width > kMaxSide || l.height > kMaxSide || std::int64_t{l.width} * l.height > kMaxPixels) return false;
  switch (l.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  switch (l.compression) {
    case kRgb: break;
    case kRle8: if (l.bitCount != 8 || l.topDown) return false; break;
    case kRle4: if (l.bitCount != 4 || l.topDown) return false; break;
    case kBitFields: if (l.bitCount != 16 && l.bitCount != 32) return false; break;
    default: return false;
  }

  // Bit masks: after a 40-byte header, inside the longer ones.
  std::uint64_t maskBytes = 0;
  if (l.compression == kBitFields) {
    // Either way they start right after the first 40 bytes of the header.
    const std::size_t at = kFileHeaderSize + kMinInfoHeaderSize;
    if (headerSize == kMinInfoHeaderSize) maskBytes = 12;
    else if (headerSize < 52) return false;
    if (at + 12 > offBits) return false;
    for (int i = 0; i < 3; ++i) l.masks[i] = U32(b, at + 4 * static_cast<std::size_t>(i));
  } else if (l.bitCount == 16) {
    l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
  } else if (l.bitCount == 32) {
    l.masks[0] = 0xFF0000, l.masks[1] = 0xFF00, l.masks[2] = 0xFF;
  }

  // The colour table follows the header (and masks) the file states.
  if (l.bitCount <= 8) {
    const std::uint32_t full = 1u << l.bitCount;
    if (colorsUsed > full) return false;
    l.colors = static_cast<int>(colorsUsed ? colorsUsed : full);
  } else {
    if (colorsUsed > 256) return false;
    l.colors = static_cast<int>(colorsUsed);
  }
  l.tableStart = static_cast<std::size_t>(kFileHeaderSize + headerSize + maskBytes);
  const std::uint64_t tableEnd = l.tableStart + std::uint64_t{4} * static_cast<std::uint64_t>(l.colors);
  if (tableEnd > offBits) return false;
  l.infoEnd = static_cast<std::size_t>(tableEnd);

  // The pixels must lie inside the file.
  const std::uint64_t available = length - offBits;
  l.rowSize = static_cast<std::size_t>((std::uint64_t{static_cast<std::uint32_t>(l.width)} * l.bitCount + 31) / 32 * 4);
  std::uint64_t bitsSize = 0;
  if (l.compression == kRle8 || l.compression == kRle4) {
    if (sizeImage > available) return false;
    bitsSize = sizeImage ? sizeImage : available;
  } else {
    bitsSize = std::uint64_t{l.rowSize} * static_cast<std::uint64_t>(l.height);
    if (bitsSize > available) return false;
  }
  const std::string_view bits = b.substr(static_cast<std::size_t>(offBits), static_cast<std::size_t>(bitsSize));

  std::vector<platform::ColorRef> palette;
  palette.reserve(static_cast<std::size_t>(l.colors));
  for (int i = 0; i < l.colors; ++i) {
    const std::size_t at = l.tableStart + 4 * static_cast<std::size_t>(i);
    palette.push_back(platform::RGB(static_cast<unsigned char>(b[at + 2]), static_cast<unsigned char>(b[at + 1]),
                                    static_cast<unsigned char>(b[at])));
  }
  auto fromPalette = [&palette](unsigned index) -> QRgb {
    if (index >= palette.size()) return qRgb(0, 0, 0);
    const platform::ColorRef c = palette[index];
    return qRgb(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c));
  };

  QImage image(l.width, l.height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  auto imageRow = [&](int fileRow) {
    const int y = l.topDown ? fileRow : l.height - 1 - fileRow;
    return reinterpret_cast<QRgb*>(image.scanLine(y));
  };
  if (l.compression == kRle8 || l.compression == kRle4) {
    std::vector<std::uint8_t> indexes;
    if (!DecodeRle(bits, l, indexes)) return false;
    for (int r = 0; r < l.height; ++r) {
      QRgb* out = imageRow(r);
      for (int x = 0; x < l.width; ++x)
        out[x] = fromPalette(indexes[static_cast<std::size_t>(r) * static_cast<std::size_t>(l.width) + static_cast<std::size_t>(x)]);
    }
  } else {
    for (int r = 0; r < l.height; ++r) {
      const std::string_view row = bits.substr(static_cast<std::size_t>(r) * l.rowSize, l.rowSize);
      QRgb* out = imageRow(r);
      for (int x = 0; x < l.width; ++x) {
        const auto ux = static_cast<std::size_t>(x);
        switch (l.bitCount) {
          case 1: out[x] = fromPalette((static_cast<unsigned char>(row[ux / 8]) >> (7 - ux % 8)) & 1u); break;
          case 4: out[x] = fromPalette((static_cast<unsigned char>(row[ux / 2]) >> (ux % 2 ? 0 : 4)) & 0x0Fu); break;
          case 8: out[x] = fromPalette(static_cast<unsigned char>(row[ux])); break;
          case 24:
            out[x] = qRgb(static_cast<unsigned char>(row[3 * ux + 2]), static_cast<unsigned char>(row[3 * ux + 1]),
                          static_cast<unsigned char>(row[3 * ux]));
            break;
          default: {
            const std::uint32_t px = l.bitCount == 16 ? U16(row, 2 * ux) : U32(row, 4 * ux);
            out[x] = qRgb(Channel(px, l.masks[0]), Channel(px, l.masks[1]), Channel(px, l.masks[2]));
          }
        }
      }
    }
  }

  info_.assign(b.substr(kFileHeaderSize, l.infoEnd - kFileHeaderSize));
  bits_.assign(bits);
  palette_ = std::move(palette);
  image_ = std::move(image);
  return true;
}

std::string CDib::WriteToBytes() const {
  if (IsEmpty()) return {};
  std::string info = info_;
  std::size_t imageSize = bits_.size();
  if (GetCompression() != kRle8 && GetCompression() != kRle4) {
    imageSize = static_cast<std::size_t>(GetRowSize()) * static_cast<std::size_t>(GetHeight());
    PutU32(info, 20, static_cast<std::uint32_t>(imageSize));
  }
  std::string out(kFileHeaderSize, '\0');
  PutU16(out, 0, 0x4D42);
  PutU32(out, 2, static_cast<std::uint32_t>(kFileHeaderSize + info.size() + imageSize));
  PutU32(out, 10, static_cast<std::uint32_t>(kFileHeaderSize + info.size()));
  out += info;
  out.append(bits_, 0, std::min(imageSize, bits_.size()));
  return out;
}

std::size_t CDib::Write(const std::filesystem::path& file) const {
  const std::string bytes = WriteToBytes();
  if (bytes.empty() || !platform::WriteFileBytes(file, bytes)) return 0;
  return bytes.size();
}

int CDib::Draw(platform::DrawContext& dc, const platform::Rect& dest, const platform::Rect* source) const {
  if (IsEmpty()) return 0;
  if (source) {
    const QRect part = QRect(source->left, source->top, source->Width(), source->Height()).intersected(image_.rect());
    if (part.isEmpty()) return 0;
    dc.DrawBitmap(image_, dest, part);
  } else {
    dc.DrawBitmap(image_, dest);
  }
  return GetHeight();
}

int CDib::GetWidth() const { return IsEmpty() ? 0 : static_cast<int>(U32(info_, 4)); }

int CDib::GetHeight() const {
  if (IsEmpty()) return 0;
  const auto h = static_cast<std::int32_t>(U32(info_, 8));
  return h < 0 ? -h : h;
}

int CDib::GetBitCount() const { return IsEmpty() ? 0 : static_cast<int>(U16(info_, 14)); }

std::uint32_t CDib::GetCompression() const { return IsEmpty() ? 0 : U32(info_, 16); }

int CDib::GetColorCount() const {
  if (IsEmpty()) return 0;
  const std::uint32_t used = U32(info_, 32);
  if (used) return static_cast<int>(used);
  const int bits = GetBitCount();
  return bits <= 8 ? 1 << bits : 0;
}

int CDib::GetRowSize() const { return (GetWidth() * GetBitCount() + 31) / 32 * 4; }
