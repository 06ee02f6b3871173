#pragma once
// The program in English with the language file it ships: a copy of
// resources/programfolder/PravikLang-en.txt in a folder of its own (a text it
// lacked would be added to the copy, never to the source). German again when
// it ends.
#include <filesystem>

#include "i18n/translation.h"
#include "support/temp_folder.h"

class ShippedEnglish {
 public:
  ShippedEnglish() {
    std::filesystem::copy_file(std::filesystem::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" /
                                   "PravikLang-en.txt",
                               folder_ / "PravikLang-en.txt");
    SetLanguageFolder(folder_.path());
    SetCurrentLangCode("en");
  }
  ~ShippedEnglish() {
    SetCurrentLangCode("");
    SetLanguageFolder({});
  }
  ShippedEnglish(const ShippedEnglish&) = delete;
  ShippedEnglish& operator=(const ShippedEnglish&) = delete;

 private:
  TempFolder folder_;
};
