#include "records/versuch.h"
#include "reports/druckseite.h"

void CVersuch::AddPrintPages(std::vector<CDruckSeite*>& pages) {
  // The signature bitmap joins here once the report pages draw it.
  const int count = GetPageCount();
  pages.reserve(pages.size() + static_cast<size_t>(count));
  for (int page = 1; page <= count; ++page) {
    auto* printPage = new CDruckSeite();
    printPage->Init(this, page);
    pages.push_back(printPage);
  }
}
