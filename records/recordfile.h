#pragma once
// The record file "data.db": every test record of a data folder in one code
// page 1252 text file with CR LF line ends. Layout:
//   (empty line)
//   [VERSION=3001]
//   [ANZ=<number of records>]
//   DATA_START
//   NN~<text of field NN>      33 lines per record, NN = 00 .. 32
//   DATA_STOP
// Saving goes through "data_tmp.db", so that a sound copy always exists.
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/versuch.h"

constexpr int RecordFileVersion = 3001;
inline constexpr const char* kRecordFileName = "data.db";
inline constexpr const char* kRecordTempFileName = "data_tmp.db";

// Appends a field's text with every line break (LF, or CR LF) as "#CRLF#",
// so that the field keeps its one line. A CR alone ends no line of the
// readers, so it is kept: a file that holds one reads and writes back
// unchanged.
void AppendFieldLine(std::string& out, std::string_view text);

// True when the file is a sound copy: it can be read, has "DATA_START" and
// then "DATA_STOP", holds as many records as its "[ANZ=" line says (when it
// has one; a count that is no plain number is unsound), and every record
// followed by another has at least 31 value lines.
bool ValidateRecordFile(const std::filesystem::path& path);
// The same for a copy that another computer may just have replaced: on a
// network file system a copy that fails the check is read again after
// pauses, for some seconds, before it counts as unsound (a stale cache gives
// the old size with the new contents, a cut-off copy). Use it for a copy
// that is to be relied on, such as a daily copy before it is rotated in.
bool ValidateFreshRecordFile(const std::filesystem::path& path);

// Appends the records of the folder's "data.db", or of "data_tmp.db" when
// "data.db" is not sound. False, with a message box and the list unchanged,
// when neither copy is sound or the file was written by a newer version; the
// message names the sound daily copies. Each copy is read as
// ValidateFreshRecordFile reads it.
//
// A sound "data_tmp.db" whose bytes differ from a sound "data.db" is taken
// (and the user told) when its time is not older than that of "data.db":
// a save writes "data_tmp.db" first and makes "data.db" a copy of it, so two
// different sound copies whose times the file system cannot tell apart (whole
// seconds over a share) are a save cut short.
//
// A "data.db" that fails its check while "data_tmp.db" is sound is renamed
// aside (DamagedRecordFileName), never deleted, and the user is told what was
// loaded instead, with its date and number of records.
// `dataFileSound` tells whether "data.db" passed its check: only such a file
// may become a daily copy.
bool LoadRecordFile(RecordList& records, const std::filesystem::path& folder, bool* dataFileSound = nullptr);

// The name under which a damaged "data.db" is kept, from the time it was put
// aside: "data_beschaedigt_YYYYMMDD_hhmmss.db".
std::filesystem::path DamagedRecordFileName(const std::filesystem::path& folder, std::time_t when);

// The daily copies of the record file: "data.db.01" (newest) to ".10"
// (oldest) beside it.
inline constexpr int kDailyCopies = 10;
std::filesystem::path DailyCopyName(const std::filesystem::path& recordFile, int generation);
// The lines that name the sound daily copies of the folder's "data.db" by
// date and number of records, and how to take one back; or that there is none.
std::string SoundDailyCopiesText(const std::filesystem::path& folder);

// Writes the records in list order (replacing the file as a whole). A line
// break (LF or CR LF) inside a field is stored as "#CRLF#", so that every
// field keeps its one line; a CR alone is kept as it is. True when the whole file was written and flushed.
bool WriteRecordFile(const std::vector<const CVersuch*>& records,
                     const std::filesystem::path& path);
bool WriteRecordFile(const RecordList& records, const std::filesystem::path& path);

// Writes "data_tmp.db", checks it, and replaces "data.db" with a checked copy
// of it in one rename; each step is tried three times, 100 ms apart. True when
// "data.db" holds the records afterwards and the folder has been flushed.
// Otherwise the user is told what is known, and the records stay in memory
// for the next save: nothing written (the folder was not ours before the
// first write), possibly not saved (the folder went away after writing had
// begun, so a rename may or may not have reached it), the records in
// "data.db" whose folder entry may not be on the disk yet (the folder flush
// after the rename failed), or not saved (the previous sound copy stays).
// Before every attempt the folder must still be the one this program holds
// (platform/sharedfolder.h): otherwise nothing more is written.
bool SaveRecordFileSafely(const std::vector<const CVersuch*>& records,
                          const std::filesystem::path& folder);
bool SaveRecordFileSafely(const RecordList& records, const std::filesystem::path& folder);
