#include "shell/app/pravikdoc.h"

#include "records/recordfile.h"
#include "shell/app/pravikapp.h"

bool CPravikDoc::OnNewDocument() {
  CPravikWinApp* app = GetApp();
  if (!app) return false;
  RecordList loaded;
  if (!LoadRecordFile(loaded, app->m_Settings.m_DataFolder)) return false;
  for (auto& record : loaded) {
    app->TestNumberIndex.try_emplace(record->GetValue(1, 0));
    app->TestRecordIdIndex.try_emplace(record->GetValue(0, 0));
    m_Records.push_back(std::move(record));
  }
  return true;
}

void CPravikDoc::OnCloseDocument() {
  if (CPravikWinApp* app = GetApp()) app->ShowWaitWindow(true);
}
