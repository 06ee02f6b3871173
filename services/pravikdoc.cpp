#include "services/pravikdoc.h"

#include "platform/files.h"
#include "records/recordfile.h"
#include "services/longwait.h"
#include "services/pravikapp.h"

bool CPravikDoc::OnNewDocument() {
  CPravikWinApp* app = GetApp();
  if (!app) return false;
  RecordList loaded;
  {
    // A large folder takes a while to read: the wait window tells so.
    const LongWaitGuess guess(150e6);
    WaitWindowScope wait(guess.IsLong(platform::FileSize(app->m_Settings.m_DataFolder / kRecordFileName).value_or(0)));
    if (!LoadRecordFile(loaded, app->m_Settings.m_DataFolder, &m_DataFileSound)) return false;
  }
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
