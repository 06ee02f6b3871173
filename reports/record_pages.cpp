// The record's pages and its signature bitmap: declared with the record, built
// here because they are report pages.
#include <memory>

#include "records/versuch.h"
#include "reports/dib.h"
#include "reports/druckseite.h"

void CVersuch::LoadSignatureBitmap() {
  signature_.reset();
  const std::string file = GetSignatureFile();
  if (file.empty()) return;
  auto bitmap = std::make_shared<CDib>();
  if (bitmap->Read(file) != 0) signature_ = std::move(bitmap);
}

void CVersuch::AddPrintPages(std::vector<CDruckSeite*>& pages) {
  LoadSignatureBitmap();
  const int count = GetPageCount();
  pages.reserve(pages.size() + static_cast<size_t>(count));
  for (int page = 1; page <= count; ++page) {
    auto printPage = std::make_unique<CDruckSeite>();
    printPage->Init(this, page);
    pages.push_back(printPage.release());
  }
}
