#pragma once
// CResTokenList: a choice list kept as one string resource whose entries are
// separated by one character (a tab), so that a language file translates the
// whole list as one text. Hands the entries out one by one, or fills a combo
// box with them, optionally with a number behind each entry as item data.
//
//   CResTokenList modes(2002, '\t');   // "mit mehreren Kornklassen\t2\t..."
//   modes.FillComboBox(dialog, 1040, true);
//
//   CResTokenList header(67102, '\t');
//   std::string first = header.GetNextToken();   // "Stein-Nr."
#include <string>

class QComboBox;
namespace platform {
class Dialog;
}

class CResTokenList {
 public:
  // The string resource of the id (empty when there is none), translated.
  CResTokenList(int id, char separator);
  // A list given as text.
  CResTokenList(std::string text, char separator) : text_(std::move(text)), separator_(separator) {}

  // The entry at the read position up to the next separator or the end; ""
  // at or beyond the end and for an empty entry.
  std::string GetNextToken();

  // From the start, adds the entries to the combo box up to the first empty
  // one; withData takes the entry after each as its item data (a decimal
  // number, 0 when it is missing). Nothing for a dialog without that
  // control or a control that is no combo box.
  void FillComboBox(platform::Dialog& dialog, int comboId, bool withData);
  void FillComboBox(QComboBox* combo, bool withData);

  const std::string& text() const { return text_; }

 private:
  int readPos_ = 0;
  int prevPos_ = 0;
  std::string text_;
  char separator_;
};
