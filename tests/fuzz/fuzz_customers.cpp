// "kunden.dat": customers written by the dialog's writer or the start-up
// merge read back in the form of the file's rule, nothing cut and no
// customer lost; any bytes read without failing and write back unchanged;
// a merge run again leaves the file alone.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "services/customers/customerlist.h"

namespace fuzz {

int FuzzCustomerFile(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  // Customers as the records name them: any bytes (a record keeps "$", "~"
  // and what a transfer file brought).
  std::vector<Customer> customers(pieces.Byte() % 6);
  for (Customer& c : customers) {
    c.id = std::string(pieces.Sized(24));
    c.name = std::string(pieces.Sized(48));
  }

  // The writer, through the file's encoding.
  const auto read = ParseCustomerText(platform::DecodeText(platform::EncodeText(FormatCustomerText(customers))));
  FUZZ_CHECK(read && read->size() == customers.size());
  for (size_t i = 0; i < customers.size(); ++i) FUZZ_CHECK((*read)[i] == CustomerFileForm(customers[i]));

  // Any text: read, written and read again, it is the same list.
  const std::string existing(pieces.Rest());
  const auto parsed = ParseCustomerText(platform::DecodeText(existing));
  if (parsed) FUZZ_CHECK(ParseCustomerText(platform::DecodeText(platform::EncodeText(FormatCustomerText(*parsed)))) == parsed);

  // The start-up merge over that text as the file.
  ClearScratchFolder();
  const std::filesystem::path file = ScratchFolder() / kCustomerFileName;
  if (!existing.empty()) FUZZ_CHECK(platform::WriteFileBytes(file, existing));
  CustomerMap fromRecords;
  for (const Customer& c : customers) fromRecords[c.id] = c.name;
  CustomerMap map = fromRecords;
  const CustomerMergeResult merged = MergeCustomerFile(map, file);
  if (!parsed) {
    FUZZ_CHECK(merged.state == CustomerFileState::Unreadable && !merged.written);
    FUZZ_CHECK(platform::ReadFileBytes(file) == existing);
    return 0;
  }
  FUZZ_CHECK(!merged.writeFailed);
  const CustomerFileContent after = LoadCustomerFile(file);
  FUZZ_CHECK(after.state == CustomerFileState::Read);
  auto inFile = [&](const std::string& id) {
    return std::any_of(after.customers.begin(), after.customers.end(), [&](const Customer& c) { return c.id == id; });
  };
  // Every customer of the file and of the records, in the file's form.
  for (const Customer& c : *parsed)
    if (!c.id.empty()) FUZZ_CHECK(inFile(c.id));
  for (const auto& [id, name] : fromRecords)
    if (!id.empty()) FUZZ_CHECK(inFile(CustomerFileField(id)));
  // Each ID once; every name in the map as the file has it.
  for (size_t i = 0; i < after.customers.size(); ++i) {
    const Customer& c = after.customers[i];
    FUZZ_CHECK(!c.id.empty());
    for (size_t j = 0; j < i; ++j) FUZZ_CHECK(after.customers[j].id != c.id);
    if (map.count(c.id)) FUZZ_CHECK(map.at(c.id) == c.name);
  }
  // The next start finds nothing to write.
  CustomerMap again = fromRecords;
  const CustomerMergeResult second = MergeCustomerFile(again, file);
  FUZZ_CHECK(second.state == CustomerFileState::Read && !second.written && !second.writeFailed);
  return 0;
}

}  // namespace fuzz
