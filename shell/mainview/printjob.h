#pragma once
// CRecordPrintJob: the print job of the main view. It prints the report
// pages of the records selected in the list, in list order, each record's
// pages in its own order, to the printer (with or without the print dialog),
// to the print preview or to a PDF file through the print driver:
//
//   CRecordPrintJob job(selectedRecords);   // the records outlive the job
//   platform::PrintWithDialog(job);          // or PrintDirect, PrintPreview, PrintToPdf
//
// The job owns its pages from the preparation to the end of printing; it
// builds them before the print dialog and again when each pass begins (the
// preview repaints whole passes). Without a selected record, or when the
// selected records have no report page, it says so and prints nothing.
#include <vector>

#include "platform/drawtypes.h"
#include "platform/printdriver.h"

class CDruckSeite;
class CProgrammEinstellungen;
class CVersuch;

class CRecordPrintJob : public platform::PrintableView {
 public:
  explicit CRecordPrintJob(std::vector<CVersuch*> records);
  ~CRecordPrintJob() override;
  CRecordPrintJob(const CRecordPrintJob&) = delete;
  CRecordPrintJob& operator=(const CRecordPrintJob&) = delete;

  bool OnPreparePrinting(platform::PrintInfo& info) override;
  void OnBeginPrinting(platform::DrawContext& dc, platform::PrintInfo& info) override;
  void OnPrint(platform::DrawContext& dc, platform::PrintInfo& info) override;
  void OnEndPrinting(platform::DrawContext& dc, platform::PrintInfo& info) override;

  // Frees the old pages and appends the pages of every record; gives their number.
  int BuildPrintPages();
  void FreePrintPages();

  const std::vector<CDruckSeite*>& pages() const { return pages_; }
  const platform::Rect& printRect() const { return printRect_; }

 private:
  std::vector<CVersuch*> records_;
  std::vector<CDruckSeite*> pages_;
  platform::Rect printRect_;
};

// The printed area of a page (0.01 mm, y up, from the printable origin of
// the context's device). On a printer: the settings' ComputePrintRect. On a
// PDF file the area that the reference printer of the PDF files gives
// (platform::SetUpLaserPrinterPage), at the same place on the paper: a PDF
// chosen in the print dialog, whatever margins it has, has the pages that
// PrintToPdf and the paper have.
platform::Rect ComputeJobPrintRect(CProgrammEinstellungen& settings, platform::DrawContext& dc);
