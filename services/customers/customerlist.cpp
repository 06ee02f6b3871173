#include "services/customers/customerlist.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace fs = std::filesystem;

namespace {

constexpr char kStartMark[] = "DATA_START";
constexpr char kStopMark[] = "DATA_STOP";

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

bool NameOrder(const Customer& a, const Customer& b) { return StrCompareNoCase(a.name, b.name) < 0; }

}  // namespace

// ------------------------------------------------------------------ format

std::string CustomerFileField(std::string_view text) {
  std::string field;
  field.reserve(text.size());
  for (const char c : text) {
    if (c == '$' || c == '~' || c == '|') field += '#';
    else if (c == '\r' || c == '\n') field += ' ';
    else field += c;
  }
  for (const std::string_view mark : {std::string_view(kStartMark), std::string_view(kStopMark)})
    for (size_t at = field.find(mark); at != std::string::npos; at = field.find(mark, at))
      field[at + 4] = ' ';  // "DATA_" -> "DATA "
  // What the file cannot hold, as the file would give it back.
  return platform::FromCp1252(platform::ToCp1252(field));
}

Customer CustomerFileForm(const Customer& customer) {
  return {CustomerFileField(customer.id), CustomerFileField(customer.name)};
}

std::string FormatCustomerText(const std::vector<Customer>& customers) {
  std::string text = "VERSION=001\nDATA_START";
  for (const Customer& c : customers) text += "\n~" + CustomerFileField(c.id) + "$~" + CustomerFileField(c.name) + "$";
  text += "\nDATA_STOP\n";
  return text;
}

std::optional<std::vector<Customer>> ParseCustomerText(std::string_view text) {
  std::vector<Customer> customers;
  bool started = false;
  for (const std::string& line : platform::SplitLines(text)) {
    if (!started) {
      started = line.find(kStartMark) != std::string::npos;
      continue;
    }
    // A name taken unchecked from a record may hold the word; its line is
    // still a customer.
    if (!line.starts_with('~') && line.find(kStopMark) != std::string::npos) break;
    customers.push_back(
        CustomerFileForm({StrGetToken(line, "~", "$", 0), StrGetToken(line, "~", "$", 1)}));
  }
  if (!started && !IsBlank(text)) return std::nullopt;
  return customers;
}

CustomerFileContent LoadCustomerFile(const fs::path& file) {
  CustomerFileContent content;
  if (!platform::FileExists(file)) {
    // Something else by that name (a folder) cannot be read either.
    std::error_code ec;
    content.state = fs::exists(file, ec) ? CustomerFileState::Unreadable : CustomerFileState::Missing;
    return content;
  }
  auto bytes = platform::ReadFileBytes(file);
  auto customers = bytes ? ParseCustomerText(platform::DecodeText(*bytes)) : std::nullopt;
  if (!customers) {
    content.state = CustomerFileState::Unreadable;
    return content;
  }
  content.state = CustomerFileState::Read;
  content.customers = std::move(*customers);
  content.bytes = std::move(*bytes);
  return content;
}

bool WriteCustomerFile(const fs::path& file, const std::vector<Customer>& customers) {
  return platform::WriteTextFile(file, FormatCustomerText(customers));
}

// -------------------------------------------------------------- names, IDs

CustomerNameCheck CheckCustomerName(std::string_view name) {
  if (IsBlank(name)) return CustomerNameCheck::Empty;
  // Each of these would cut the name or the list short when it is read back,
  // or ("|") be spelt otherwise in the records.
  if (name.find_first_of("$~|\r\n") != std::string_view::npos || name.find(kStartMark) != std::string_view::npos ||
      name.find(kStopMark) != std::string_view::npos)
    return CustomerNameCheck::BreaksTheFile;
  return CustomerNameCheck::Ok;
}

std::string MakeCustomerId(std::time_t when, const std::string& operatorNumber, const std::string& plantNumber) {
  return platform::FormatLocalTime("%y%m%d%H%M%S", when) + "-" + operatorNumber + "-" + plantNumber;
}

// ------------------------------------------------------- the customer map

void NoteRecordCustomer(CustomerMap& map, const CVersuch& record) {
  map[record.GetValue(1, 19)] = record.GetValue(1, 20);
}

CustomerFileState ReadCustomerFile(CustomerMap& map, const fs::path& file) {
  CustomerFileContent content = LoadCustomerFile(file);
  for (Customer& c : content.customers)
    if (!c.id.empty()) map[c.id] = std::move(c.name);
  return content.state;
}

CustomerMergeResult MergeCustomerFile(CustomerMap& map, const fs::path& file) {
  CustomerMergeResult result;
  CustomerFileContent content = LoadCustomerFile(file);
  result.state = content.state;
  if (content.state == CustomerFileState::Unreadable) return result;

  // The file's customers in their order, each ID once; a later line of the
  // same ID gives the name, as it does in the map.
  std::vector<Customer> merged;
  std::unordered_set<std::string> inFile;
  for (const Customer& c : content.customers) {
    if (c.id.empty()) continue;
    map[c.id] = c.name;
    if (inFile.insert(c.id).second) merged.push_back(c);
  }
  for (Customer& c : merged) c.name = map[c.id];
  // The records' customers in the form the file gives back, each ID once:
  // where the rule gives two IDs one form, the one already in that form
  // wins, else the first by name.
  struct FromRecord {
    Customer customer;
    bool idChanged;
  };
  std::vector<FromRecord> fromRecords;
  for (const auto& [id, name] : map) {
    if (id.empty() || inFile.count(CustomerFileField(id))) continue;
    Customer customer = CustomerFileForm({id, name});
    const bool idChanged = customer.id != id;
    fromRecords.push_back({std::move(customer), idChanged});
  }
  std::sort(fromRecords.begin(), fromRecords.end(), [](const FromRecord& a, const FromRecord& b) {
    return std::tie(a.customer.id, a.idChanged, a.customer.name) < std::tie(b.customer.id, b.idChanged, b.customer.name);
  });
  for (const FromRecord& entry : fromRecords) {
    const Customer& c = entry.customer;
    if (!inFile.insert(c.id).second) continue;
    merged.push_back(c);
    // The map names the customer as the file does, where the ID is the same.
    if (!entry.idChanged) map[c.id] = c.name;
  }

  const std::string text = FormatCustomerText(merged);
  if (content.state == CustomerFileState::Read && platform::EncodeText(text) == content.bytes) return result;
  result.written = platform::WriteTextFile(file, text);
  result.writeFailed = !result.written;
  return result;
}

// ----------------------------------------------------------- CustomerList

CustomerList::CustomerList(fs::path file, std::string operatorNumber, std::string plantNumber)
    : file_(std::move(file)), operatorNumber_(std::move(operatorNumber)), plantNumber_(std::move(plantNumber)) {}

CustomerFileState CustomerList::Load() {
  CustomerFileContent content = LoadCustomerFile(file_);
  rows_.clear();
  for (Customer& c : content.customers)
    if (!c.id.empty()) rows_.push_back(std::move(c));
  std::stable_sort(rows_.begin(), rows_.end(), NameOrder);
  changed_ = false;
  readFailed_ = content.state == CustomerFileState::Unreadable;
  return content.state;
}

int CustomerList::FindRow(const std::string& id) const {
  auto it = std::find_if(rows_.begin(), rows_.end(), [&](const Customer& c) { return c.id == id; });
  return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

bool CustomerList::IdTaken(const std::string& id) const {
  return FindRow(id) >= 0 || (known_ && known_->count(id));
}

std::string CustomerList::NewId() const {
  // Two customers made in one second would share an ID; the later one takes
  // the next second that is free.
  std::time_t when = platform::Now();
  std::string id = MakeCustomerId(when, operatorNumber_, plantNumber_);
  while (IdTaken(id)) id = MakeCustomerId(++when, operatorNumber_, plantNumber_);
  return id;
}

int CustomerList::Insert(Customer customer) {
  auto it = std::upper_bound(rows_.begin(), rows_.end(), customer, NameOrder);
  return static_cast<int>(rows_.insert(it, std::move(customer)) - rows_.begin());
}

CustomerList::Edit CustomerList::Add(const std::string& name, int* row) {
  const std::string trimmed = TrimWhite(name);
  switch (CheckCustomerName(trimmed)) {
    case CustomerNameCheck::Empty: return Edit::EmptyName;
    case CustomerNameCheck::BreaksTheFile: return Edit::BreaksTheFile;
    case CustomerNameCheck::Ok: break;
  }
  const int at = Insert({NewId(), trimmed});
  if (row) *row = at;
  changed_ = true;
  return Edit::Done;
}

CustomerList::Edit CustomerList::Rename(int row, const std::string& name, int* newRow) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return Edit::NoRow;
  if (newRow) *newRow = row;
  if (rows_[row].name == name) return Edit::Unchanged;
  switch (CheckCustomerName(name)) {
    case CustomerNameCheck::Empty: return Edit::EmptyName;
    case CustomerNameCheck::BreaksTheFile: return Edit::BreaksTheFile;
    case CustomerNameCheck::Ok: break;
  }
  Customer customer{rows_[row].id, name};
  rows_.erase(rows_.begin() + row);
  const int at = Insert(std::move(customer));
  if (newRow) *newRow = at;
  changed_ = true;
  return Edit::Done;
}

CustomerList::Edit CustomerList::Remove(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return Edit::NoRow;
  rows_.erase(rows_.begin() + row);
  changed_ = true;
  return Edit::Done;
}

bool CustomerList::Save() {
  if (readFailed_) return false;
  if (!WriteCustomerFile(file_, rows_)) return false;
  changed_ = false;
  readFailed_ = false;
  return true;
}
