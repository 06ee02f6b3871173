#include "reports/druckseite.h"

#include <array>
#include <utility>

#include "records/versuch.h"

std::string GetRecordPageLetters(const CVersuch& record) {
  static const std::array<std::pair<const char*, char>, 8> kPages = {{{"SEITE_A", 'A'},
                                                                      {"SEITE_B", 'B'},
                                                                      {"SEITE_C", 'C'},
                                                                      {"SEITE_D", 'D'},
                                                                      {"SEITE_E", 'E'},
                                                                      {"SEITE_F", 'F'},
                                                                      {"SEITE_X", 'X'},
                                                                      {"SEITE_Y", 'Y'}}};
  std::string letters;
  for (const auto& [key, letter] : kPages)
    if (record.IsPageNeeded(key)) letters.push_back(letter);
  return letters;
}

bool CDruckSeite::Init(CVersuch* record, int pageNumber) {
  record_ = record;
  pageNumber_ = pageNumber;
  pageLetter_ = '\0';
  if (record) {
    std::string letters = GetRecordPageLetters(*record);
    if (pageNumber >= 1 && pageNumber <= static_cast<int>(letters.size()))
      pageLetter_ = letters[static_cast<size_t>(pageNumber - 1)];
  }
  return true;
}
