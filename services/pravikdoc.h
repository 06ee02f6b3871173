#pragma once
// The one document: it loads every record of the data folder's "data.db"
// (or of "data_tmp.db" when only that copy is sound, or when it holds the
// state of a save cut short) at start-up, registers
// their test numbers and record IDs with the application, and holds the
// records until the main view takes them into its rows. Later it serves as
// the buffer of every save.
#include "records/versuch.h"

// The exit status of a start whose data folder holds no sound record file.
inline constexpr int kExitNoRecordFile = 2;

class CPravikDoc {
 public:
  CPravikDoc() = default;
  CPravikDoc(const CPravikDoc&) = delete;
  CPravikDoc& operator=(const CPravikDoc&) = delete;

  // The loaded records; the main view moves them out.
  RecordList m_Records;
  // Whether "data.db" passed its check at the load (also when a newer
  // "data_tmp.db" was loaded): only then may it become a daily copy.
  bool m_DataFileSound = false;

  // Loads the records of the application's data folder and enters their
  // test numbers and record IDs into the application's indexes. False when
  // neither record file is sound or the file is too new: the user has been
  // told (naming the folder), and the start-up must end the program with
  // kExitNoRecordFile.
  bool OnNewDocument();

  // Shows the wait window while the program closes.
  void OnCloseDocument();
};
