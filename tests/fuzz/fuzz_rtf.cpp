// Help topics: whatever the bytes of the file, the RTF reader ends and gives
// well-formed UTF-8 in every run and font name, never more text than it read.
#include <string>

#include "controls/rtfreader.h"
#include "fuzz_support.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

namespace fuzz {

int FuzzRtf(const std::uint8_t* data, std::size_t size) {
  // As the help window reads a topic: a text file.
  const std::string text = platform::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  const RtfDocument doc = ReadRtf(text);
  size_t length = 0;
  for (const RtfParagraph& paragraph : doc.paragraphs) {
    for (const RtfRun& run : paragraph.runs) {
      FUZZ_CHECK(platform::IsUtf8(run.text));
      FUZZ_CHECK(platform::IsUtf8(run.format.font));
      FUZZ_CHECK(run.format.fontSize > 0);
      length += run.text.size();
    }
  }
  // Every construct gives at most as many bytes as it takes ("\line" five
  // for three, "\u8364?" seven for three, a character itself).
  FUZZ_CHECK(length <= text.size());
  return 0;
}

}  // namespace fuzz
