#pragma once
// The customer list "kunden.dat" of the data folder: one ID and one name per
// customer. Plain data and file logic, no windows:
//
//   - the file format (ParseCustomerText, FormatCustomerText),
//   - the start-up merge of the file with the customers the records name
//     (MergeCustomerFile) and the re-read after the customer dialog
//     (ReadCustomerFile), both on the application's customer map,
//   - CustomerList, the working list of the customer dialog: load, add,
//     rename, delete, save, with its changed flag.
//
// A file that exists but cannot be read (or is not a customer list) is never
// written over: what it holds would be lost.
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CVersuch;

inline constexpr char kCustomerFileName[] = "kunden.dat";

// Customer ID to customer name (the application's CustomerNameMap).
using CustomerMap = std::unordered_map<std::string, std::string>;

struct Customer {
  std::string id;
  std::string name;
  bool operator==(const Customer&) const = default;
};

// --- the file format

// The one rule of every writer for IDs and names, so that the file reads
// back what was written: "$" and "~" (they end the fields), and "|" (a record
// turns it into "#" as well) become "#", line breaks a blank, the words
// "DATA_START" and "DATA_STOP" lose their underscore, and a character code
// page 1252 cannot hold becomes "?". The reader applies it too: what it gives
// is what the next write keeps.
std::string CustomerFileField(std::string_view text);
Customer CustomerFileForm(const Customer& customer);

// The file's text with "\n" line ends: "VERSION=001", "DATA_START", one line
// "~ID$~name$" per customer (both in their CustomerFileField form),
// "DATA_STOP" and a final line end.
std::string FormatCustomerText(const std::vector<Customer>& customers);
// Every line between the first line containing "DATA_START" and the first
// other line containing "DATA_STOP" (or the end) as a customer, empty IDs
// included; a customer line ("~" first) never ends the list, whatever its
// name. nullopt when the text holds something but no "DATA_START" line: it
// is no customer list. A blank text is an empty list.
std::optional<std::vector<Customer>> ParseCustomerText(std::string_view text);

enum class CustomerFileState {
  Read,        // read (a blank file reads as an empty list)
  Missing,     // there is no such file
  Unreadable,  // it exists but cannot be read or is no customer list
};

struct CustomerFileContent {
  CustomerFileState state = CustomerFileState::Missing;
  std::vector<Customer> customers;  // every customer line, empty IDs included
  std::string bytes;                // the file as it is on disk
};
CustomerFileContent LoadCustomerFile(const std::filesystem::path& file);
// Writes the customers in their order (code page 1252, CR LF), atomically.
bool WriteCustomerFile(const std::filesystem::path& file, const std::vector<Customer>& customers);

// --- names and IDs

enum class CustomerNameCheck {
  Ok,
  Empty,         // nothing but white space
  BreaksTheFile  // "$", "~", "|", a line break, "DATA_START" or "DATA_STOP"
};
// The dialog's check: it refuses what the file's rule would change (but for
// characters outside code page 1252, which the file stores as "?" anyway).
CustomerNameCheck CheckCustomerName(std::string_view name);

// "%y%m%d%H%M%S" of the local time, "-", operator number, "-", plant number.
std::string MakeCustomerId(std::time_t when, const std::string& operatorNumber, const std::string& plantNumber);

// --- the application's customer map

// Sets the map's entry for the record's customer (field 1, part 19 the ID,
// part 20 the name), as every record does when it is listed.
void NoteRecordCustomer(CustomerMap& map, const CVersuch& record);

// Sets map[ID] = name for every customer of the file with an ID; entries are
// replaced, none removed. A missing or unreadable file changes nothing.
CustomerFileState ReadCustomerFile(CustomerMap& map, const std::filesystem::path& file);

struct CustomerMergeResult {
  CustomerFileState state = CustomerFileState::Missing;
  bool written = false;       // the file was (re)written
  bool writeFailed = false;   // it should have been, but could not be
};
// The start-up merge: the file's customers go into the map (replacing the
// records' names), and the file is written back with every customer of the
// map: its own customers in their order first, then those only the records
// know, by ID. An unreadable file is left alone (the map too); a file that
// would not change is not rewritten.
CustomerMergeResult MergeCustomerFile(CustomerMap& map, const std::filesystem::path& file);

// --- the working list of the customer dialog

class CustomerList {
 public:
  // `file` is "kunden.dat"; new IDs end with the operator and plant numbers.
  CustomerList(std::filesystem::path file, std::string operatorNumber, std::string plantNumber);

  const std::filesystem::path& file() const { return file_; }

  // IDs a new customer must not take besides those of the list (the
  // customers the records name). Not owned; may be null.
  void SetKnownCustomers(const CustomerMap* known) { known_ = known; }

  // The rows: the file's customers with an ID, sorted by name (case does not
  // count; equal names keep their order). Clears the changed flag. A file
  // that cannot be read gives no rows and is then never saved over.
  CustomerFileState Load();
  const std::vector<Customer>& rows() const { return rows_; }
  // The row of an ID, -1 when none.
  int FindRow(const std::string& id) const;

  bool changed() const { return changed_; }

  enum class Edit {
    Done,          // the list changed; `row` is where the customer is now
    Unchanged,     // the same name again
    EmptyName,     // refused: nothing but white space
    BreaksTheFile, // refused: see CheckCustomerName
    NoRow,         // refused: no such row
  };
  // A new customer with the trimmed name and a new ID that no row and no
  // known customer has (made in the same second, it takes the next free one).
  Edit Add(const std::string& name, int* row = nullptr);
  // A new name for the row (taken as given, not trimmed); the ID stays.
  Edit Rename(int row, const std::string& name, int* newRow = nullptr);
  Edit Remove(int row);

  // Writes every row to the file and clears the changed flag. False (flag
  // kept) when the file cannot be written, or when Load could not read it.
  bool Save();
  // True when Load found a file it could not read.
  bool readFailed() const { return readFailed_; }

 private:
  std::string NewId() const;
  bool IdTaken(const std::string& id) const;
  int Insert(Customer customer);

  std::filesystem::path file_;
  std::string operatorNumber_;
  std::string plantNumber_;
  const CustomerMap* known_ = nullptr;
  std::vector<Customer> rows_;
  bool changed_ = false;
  bool readFailed_ = false;
};
