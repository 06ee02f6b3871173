// "werk.dat" and the plant selection's "configmap.dat" line: any text reads
// to plants with a key, each key once, every field free of "|" and of the
// line end; a map written as a line reads back as it was.
#include <string>

#include "fuzz_support.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "shell/start/werkauswahl.h"

namespace fuzz {

int FuzzPlantList(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));

  // A map of plain keys and values (as the selection stores: keys, orders,
  // launch times) written as its line and read back.
  ConfigMap map;
  for (int pairs = pieces.Byte() % 6; pairs > 0; --pairs) {
    std::string key = platform::FromCp1252(pieces.Sized(16));
    std::string value = platform::FromCp1252(pieces.Sized(24));
    for (std::string* text : {&key, &value})
      for (char& c : *text)
        if (c == '\n' || c == '\r' || c == ' ' || c == '\t') c = '_';
    map.Set(key, value);
  }
  ConfigMap back;
  TextToMap(MapToText(map), back);
  // The line uses "°" and "€" itself; a map holding them reads back in its
  // written form, stable from then on.
  ConfigMap again;
  TextToMap(MapToText(back), again);
  FUZZ_CHECK(again == back);
  bool plain = true;
  for (const auto& [key, value] : map.Pairs())
    plain = plain && (key + value).find_first_of("\xc2\xb0\xe2\x82\xac") == std::string::npos && !(key + value).empty();
  if (plain) FUZZ_CHECK(back == map);

  // The plant list.
  const std::string text = platform::DecodeText(pieces.Rest());
  const std::vector<WERKDATEN> plants = ParsePlantList(text);
  FUZZ_CHECK(plants.size() <= platform::SplitLines(text).size());
  for (size_t i = 0; i < plants.size(); ++i) {
    const WERKDATEN& p = plants[i];
    FUZZ_CHECK(!p.plantKey.empty());
    for (size_t j = 0; j < i; ++j) FUZZ_CHECK(plants[j].plantKey != p.plantKey);
    for (const std::string* field : {&p.plantKey, &p.plantNumber, &p.plantName, &p.operatorNumber, &p.operatorName})
      FUZZ_CHECK(field->find_first_of("|\n") == std::string::npos && platform::IsUtf8(*field));
  }
  return 0;
}

}  // namespace fuzz
