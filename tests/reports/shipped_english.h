#pragma once
// The English language file the program ships, in a folder of its own, as
// the language of the program; German again when it ends.
#include <filesystem>

#include "i18n/translation.h"
#include "support/temp_folder.h"

namespace reporttest {

class ShippedEnglish {
 public:
  ShippedEnglish() {
    const auto shipped = std::filesystem::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder";
    std::filesystem::copy_file(shipped / "PravikLang-en.txt", folder_ / "PravikLang-en.txt");
    SetLanguageFolder(folder_.path());
    SetCurrentLangCode("en");
  }
  ~ShippedEnglish() {
    SetLanguageFolder({});
    SetCurrentLangCode("");
  }
  ShippedEnglish(const ShippedEnglish&) = delete;
  ShippedEnglish& operator=(const ShippedEnglish&) = delete;

 private:
  TempFolder folder_;
};

}  // namespace reporttest
