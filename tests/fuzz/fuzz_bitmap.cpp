// The bitmap reader: a picture that was read is written and read back to the
// same picture, and writing it again gives the same bytes.
#include <string>

#include "fuzz_support.h"
#include "reports/dib.h"

namespace fuzz {

int FuzzBitmap(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CDib dib;
  if (dib.ReadFromBytes(bytes) == 0) {
    FUZZ_CHECK(dib.IsEmpty());
    return 0;
  }
  FUZZ_CHECK(dib.GetWidth() > 0 && dib.GetHeight() > 0);
  FUZZ_CHECK(dib.GetImage().width() == dib.GetWidth() && dib.GetImage().height() == dib.GetHeight());
  const std::string written = dib.WriteToBytes();
  CDib again;
  FUZZ_CHECK(again.ReadFromBytes(written) > 0);
  FUZZ_CHECK(again.GetWidth() == dib.GetWidth() && again.GetHeight() == dib.GetHeight());
  FUZZ_CHECK(again.GetBitCount() == dib.GetBitCount() && again.GetCompression() == dib.GetCompression());
  FUZZ_CHECK(again.GetPalette() == dib.GetPalette());
  FUZZ_CHECK(again.GetImage() == dib.GetImage());
  FUZZ_CHECK(again.WriteToBytes() == written);
  return 0;
}

}  // namespace fuzz
