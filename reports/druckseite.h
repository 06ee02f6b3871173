#pragma once
// One report page of one test record. For now it holds what identifies the
// page: the record (not owned; it outlives the print job), the page's letter
// ("A" .. "F", "X", "Y") and its 1-based number among the record's pages.
// Drawing, fonts and the chart data join it with the report pages.
#include <string>

class CVersuch;

// The letters of the page keys "SEITE_A" .. "SEITE_F", "SEITE_X", "SEITE_Y"
// that apply to the record, in that order; page n is of the n-th letter's kind.
std::string GetRecordPageLetters(const CVersuch& record);

class CDruckSeite {
 public:
  CDruckSeite() = default;
  CDruckSeite(const CDruckSeite&) = delete;
  CDruckSeite& operator=(const CDruckSeite&) = delete;

  // Binds the page to its record and page number (1 .. page count).
  bool Init(CVersuch* record, int pageNumber);

  CVersuch* GetRecord() const { return record_; }
  int GetPageNumber() const { return pageNumber_; }
  // The page's letter, or '\0' when the number lies outside the record's pages.
  char GetPageLetter() const { return pageLetter_; }

 private:
  CVersuch* record_ = nullptr;
  int pageNumber_ = 0;
  char pageLetter_ = '\0';
};
