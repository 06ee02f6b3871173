#include "controls/restokenlist.h"

#include <QComboBox>

#include "i18n/stringtable.h"
#include "i18n/translation.h"
#include "platform/dialog.h"
#include "records/strutil.h"

CResTokenList::CResTokenList(int id, char separator)
    : text_(TranslateString(id, LoadResourceString(id))), separator_(separator) {}

std::string CResTokenList::GetNextToken() {
  const int length = static_cast<int>(text_.size());
  prevPos_ = readPos_;
  if (readPos_ >= length) {
    readPos_ = length + 1;
    return {};
  }
  const auto end = text_.find(separator_, static_cast<std::size_t>(readPos_));
  const int stop = end == std::string::npos ? length : static_cast<int>(end);
  std::string token = text_.substr(static_cast<std::size_t>(readPos_), static_cast<std::size_t>(stop - readPos_));
  readPos_ = stop + 1;
  return token;
}

void CResTokenList::FillComboBox(platform::Dialog& dialog, int comboId, bool withData) {
  FillComboBox(dialog.Item<QComboBox>(comboId), withData);
}

void CResTokenList::FillComboBox(QComboBox* combo, bool withData) {
  if (!combo) return;
  readPos_ = prevPos_ = 0;
  for (;;) {
    const std::string token = GetNextToken();
    if (token.empty()) break;
    combo->addItem(QString::fromStdString(token));
    if (withData) combo->setItemData(combo->count() - 1, PlainAtoi(GetNextToken()));
  }
}
