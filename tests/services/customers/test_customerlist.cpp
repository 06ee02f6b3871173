// The customer list "kunden.dat": its format, the start-up merge with the
// customers of the records, the re-read into the customer map, and the
// working list of the customer dialog (add, rename, delete, save).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>

#include "fixtures/customers/customer_testing.h"
#include "platform/textfile.h"
#include "records/versuch.h"
#include "services/customers/customerlist.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace customer_testing;

namespace {

std::vector<Customer> FixtureCustomers() {
  std::vector<Customer> customers;
  for (int i = 0; i < 5; ++i) customers.push_back({kFixtureIds[i], kFixtureNames[i]});
  return customers;
}

CVersuch RecordOf(const std::string& id, const std::string& name) {
  CVersuch record;
  record.SetValue(1, 0, "12-7-0001");
  record.SetValue(1, 19, id);
  record.SetValue(1, 20, name);
  return record;
}

std::vector<std::string> Names(const CustomerList& list) {
  std::vector<std::string> names;
  for (const Customer& c : list.rows()) names.push_back(c.name);
  return names;
}

}  // namespace

// ------------------------------------------------------------------ format

TEST(CustomerFile, ReadsTheFixtureAndWritesItBackByteForByte) {
  const CustomerFileContent content = LoadCustomerFile(kFixture);
  ASSERT_EQ(content.state, CustomerFileState::Read);
  EXPECT_EQ(content.customers, FixtureCustomers());

  TempFolder dir;
  const fs::path copy = dir.path() / kCustomerFileName;
  ASSERT_TRUE(WriteCustomerFile(copy, content.customers));
  EXPECT_EQ(Bytes(copy), Bytes(kFixture));
}

TEST(CustomerFile, AnEmptyListIsTheThreeFrameLines) {
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  ASSERT_TRUE(WriteCustomerFile(file, {}));
  EXPECT_EQ(Bytes(file), "VERSION=001\r\nDATA_START\r\nDATA_STOP\r\n");
  const CustomerFileContent content = LoadCustomerFile(file);
  EXPECT_EQ(content.state, CustomerFileState::Read);
  EXPECT_TRUE(content.customers.empty());
}

TEST(CustomerFile, ParsesOnlyTheLinesBetweenTheMarks) {
  struct Case {
    const char* what;
    const char* text;
    std::optional<std::vector<Customer>> expected;
  } cases[] = {
      {"lines before the start and after the stop are ignored",
       "~1$~Before$\nVERSION=001\nDATA_START\n~2$~Inside$\nDATA_STOP\n~3$~After$\n",
       std::vector<Customer>{{"2", "Inside"}}},
      {"an empty ID is kept as it stands", "DATA_START\n~$~Nobody$\n~4$~$\nDATA_STOP\n",
       std::vector<Customer>{{"", "Nobody"}, {"4", ""}}},
      {"the marks count anywhere in a line", "x DATA_START x\n~5$~Five$\n-- DATA_STOP --\n~6$~Six$\n",
       std::vector<Customer>{{"5", "Five"}}},
      {"a customer line never ends the list", "DATA_START\n~5$~Five DATA_STOP$\n~6$~Six$\nDATA_STOP\n",
       std::vector<Customer>{{"5", "Five DATA STOP"}, {"6", "Six"}}},
      {"what the file's rule changes is read in its form", "DATA_START\n~7$~A~B | C$\n",
       std::vector<Customer>{{"7", "A#B # C"}}},
      {"without a stop line reading goes to the end", "DATA_START\n~7$~Seven$\n~8$~Eight$",
       std::vector<Customer>{{"7", "Seven"}, {"8", "Eight"}}},
      {"a blank file is an empty list", " \n\n", std::vector<Customer>{}},
      {"text without a start line is no customer list", "~1$~Meier$\nDATA_STOP\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseCustomerText(c.text), c.expected) << c.what;
}

// Every writer gives IDs and names one form, and the file reads back exactly
// that: nothing cut, no customer lost behind a name that reads as a mark.
TEST(CustomerFile, ReadsBackWhatEveryWriterWrote) {
  struct Case {
    const char* what;
    Customer written;
    Customer read;
  } cases[] = {
      {"a dollar in the name", {"1", "Meier $ Co"}, {"1", "Meier # Co"}},
      {"a dollar in the ID", {"d$", "Meier"}, {"d#", "Meier"}},
      {"a tilde in ID and name", {"~2", "A~B"}, {"#2", "A#B"}},
      {"a bar as the records spell it", {"3", "M\u00fcller | Bau"}, {"3", "M\u00fcller # Bau"}},
      {"line breaks", {"4\r\n", "Zeile\neins\r"}, {"4  ", "Zeile eins "}},
      {"the end mark", {"5", "DATA_STOP"}, {"5", "DATA STOP"}},
      {"the start mark", {"DATA_START", "x DATA_STARTDATA_STOP"}, {"DATA START", "x DATA STARTDATA STOP"}},
      {"what code page 1252 cannot hold", {"6", "\u0141\u00f3d\u017a \u20ac"}, {"6", "?\u00f3d? \u20ac"}},
      {"bytes that are no UTF-8", {"7", "a\xff" "b"}, {"7", "a?b"}},
  };
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  std::vector<Customer> written;
  std::vector<Customer> read;
  for (const Case& c : cases) {
    EXPECT_EQ(CustomerFileForm(c.written), c.read) << c.what;
    written.push_back(c.written);
    read.push_back(c.read);
    written.push_back({"after-" + c.read.id, "Kunde danach"});
    read.push_back({"after-" + c.read.id, "Kunde danach"});
  }
  ASSERT_TRUE(WriteCustomerFile(file, written));
  EXPECT_EQ(LoadCustomerFile(file).customers, read);

  // The start-up merge writes the records' customers by the same rule, once
  // per ID in its written form; run again it leaves the file alone.
  CustomerMap map;
  for (const Customer& c : written) map[c.id] = c.name;
  map["d~"] = "Meier zwei";  // written as "d#" as well: the first by name stays
  ASSERT_TRUE(fs::remove(file));
  ASSERT_TRUE(MergeCustomerFile(map, file).written);
  std::vector<Customer> merged = LoadCustomerFile(file).customers;
  std::sort(merged.begin(), merged.end(), [](const Customer& a, const Customer& b) { return a.id < b.id; });
  std::sort(read.begin(), read.end(), [](const Customer& a, const Customer& b) { return a.id < b.id; });
  EXPECT_EQ(merged, read);
  EXPECT_EQ(map.at("1"), "Meier # Co");
  const std::string bytes = Bytes(file);
  EXPECT_FALSE(MergeCustomerFile(map, file).written);
  EXPECT_EQ(Bytes(file), bytes);
}

TEST(CustomerFile, TellsAMissingFileFromAnUnreadableOne) {
  TempFolder dir;
  EXPECT_EQ(LoadCustomerFile(dir.path() / "kunden.dat").state, CustomerFileState::Missing);
  fs::create_directory(dir.path() / "folder.dat");
  EXPECT_EQ(LoadCustomerFile(dir.path() / "folder.dat").state, CustomerFileState::Unreadable);
  std::ofstream(dir.path() / "other.dat", std::ios::binary) << "[Layout]\r\nSpaltenbreiten=1;2\r\n";
  EXPECT_EQ(LoadCustomerFile(dir.path() / "other.dat").state, CustomerFileState::Unreadable);
}

// ------------------------------------------------------------------- names

TEST(CustomerNames, RefusesWhatWouldBreakTheFile) {
  struct Case {
    const char* name;
    CustomerNameCheck expected;
  } cases[] = {
      {"Meier Bau, Köln", CustomerNameCheck::Ok},
      {"A/B #1 & Co. 100%", CustomerNameCheck::Ok},
      {"M\u00fcller | Bau", CustomerNameCheck::BreaksTheFile},
      {"", CustomerNameCheck::Empty},
      {"  \t ", CustomerNameCheck::Empty},
      {"Meier$", CustomerNameCheck::BreaksTheFile},
      {"~Meier", CustomerNameCheck::BreaksTheFile},
      {"Meier\nBau", CustomerNameCheck::BreaksTheFile},
      {"Meier\rBau", CustomerNameCheck::BreaksTheFile},
      {"DATA_STOP Bau", CustomerNameCheck::BreaksTheFile},
      {"xDATA_STARTx", CustomerNameCheck::BreaksTheFile},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckCustomerName(c.name), c.expected) << c.name;
}

TEST(CustomerNames, NewIdIsTheMomentThenOperatorAndPlant) {
  PinnedClock clock(2025, 2, 3, 14, 5, 9);
  EXPECT_EQ(MakeCustomerId(platform::Now(), "12", "7"), "250203140509-12-7");
}

// --------------------------------------------------- merge and the map

TEST(CustomerMerge, AddsTheRecordsCustomersAndKeepsTheFilesOrder) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  CustomerMap map;
  // A record names a fixture customer by an older name: the file's name wins.
  NoteRecordCustomer(map, RecordOf(kFixtureIds[2], "Meier alt"));
  NoteRecordCustomer(map, RecordOf("250101120000-12-7", "Zulieferer Öztürk"));
  NoteRecordCustomer(map, RecordOf("200101120000-12-7", "Altkunde"));
  NoteRecordCustomer(map, RecordOf("", ""));  // a record without customer

  const CustomerMergeResult result = MergeCustomerFile(map, file);
  EXPECT_EQ(result.state, CustomerFileState::Read);
  EXPECT_TRUE(result.written);
  EXPECT_FALSE(result.writeFailed);

  EXPECT_EQ(map.at(kFixtureIds[2]), "meier Tiefbau");
  EXPECT_EQ(map.at(kFixtureIds[0]), "Autobahnmeisterei Süd");
  EXPECT_EQ(map.size(), 8u);  // five of the file, two of records only, the empty one

  std::string expected = Bytes(kFixture);
  expected.insert(expected.find("DATA_STOP"),
                  "~200101120000-12-7$~Altkunde$\r\n~250101120000-12-7$~Zulieferer \xd6zt\xfcrk$\r\n");
  EXPECT_EQ(Bytes(file), expected);
}

TEST(CustomerMerge, LeavesAFileAloneThatWouldNotChange) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  const ino_t before = FileIdentity(file);
  CustomerMap map;
  NoteRecordCustomer(map, RecordOf(kFixtureIds[3], "Müller Straßenbau GmbH"));
  const CustomerMergeResult result = MergeCustomerFile(map, file);
  EXPECT_FALSE(result.written);
  EXPECT_FALSE(result.writeFailed);
  EXPECT_EQ(FileIdentity(file), before);
  EXPECT_EQ(map.size(), 5u);
}

TEST(CustomerMerge, WritesEachIdOnceAndDropsLinesWithoutId) {
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  ASSERT_TRUE(platform::WriteTextFile(
      file, "VERSION=001\nDATA_START\n~2$~Zwei$\n~$~Ohne ID$\n~1$~Eins$\n~2$~Zwei neu$\nDATA_STOP\n"));
  CustomerMap map;
  EXPECT_TRUE(MergeCustomerFile(map, file).written);
  EXPECT_EQ(Bytes(file), "VERSION=001\r\nDATA_START\r\n~2$~Zwei neu$\r\n~1$~Eins$\r\nDATA_STOP\r\n");
  EXPECT_EQ(map, (CustomerMap{{"1", "Eins"}, {"2", "Zwei neu"}}));
}

TEST(CustomerMerge, CreatesAMissingFileFromTheRecords) {
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  CustomerMap map{{"b", "Beta"}, {"a", "Alpha"}, {"", ""}};
  const CustomerMergeResult result = MergeCustomerFile(map, file);
  EXPECT_EQ(result.state, CustomerFileState::Missing);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(Bytes(file), "VERSION=001\r\nDATA_START\r\n~a$~Alpha$\r\n~b$~Beta$\r\nDATA_STOP\r\n");
}

// The records' customers alone must never replace a list that was not read.
TEST(CustomerMerge, NeverWritesOverAFileItCouldNotRead) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
  } cases[] = {
      {"not a customer list", [](const fs::path& f) { std::ofstream(f, std::ios::binary) << "\x01\x02garbage\r\n"; }},
      {"cannot be opened as a file", [](const fs::path& f) { fs::create_directory(f); fs::create_directory(f / "x"); }},
  };
  for (const Case& c : cases) {
    TempFolder dir;
    const fs::path file = dir.path() / kCustomerFileName;
    c.make(file);
    const std::string before = fs::is_regular_file(file) ? Bytes(file) : "";
    CustomerMap map{{"1", "Aus dem Datensatz"}};
    const CustomerMergeResult result = MergeCustomerFile(map, file);
    EXPECT_EQ(result.state, CustomerFileState::Unreadable) << c.what;
    EXPECT_FALSE(result.written) << c.what;
    EXPECT_FALSE(result.writeFailed) << c.what;
    if (fs::is_regular_file(file)) {
      EXPECT_EQ(Bytes(file), before) << c.what;
    } else {
      EXPECT_TRUE(fs::is_directory(file / "x")) << c.what;
    }
    EXPECT_EQ(map, (CustomerMap{{"1", "Aus dem Datensatz"}})) << c.what;
  }
}

TEST(CustomerMerge, SaysSoWhenTheFileCannotBeWritten) {
  TempFolder dir;
  CustomerMap map{{"1", "Eins"}};
  const CustomerMergeResult result = MergeCustomerFile(map, dir.path() / "gone" / kCustomerFileName);
  EXPECT_EQ(result.state, CustomerFileState::Missing);
  EXPECT_FALSE(result.written);
  EXPECT_TRUE(result.writeFailed);
}

TEST(CustomerMap, ReadingTheFileReplacesAndAddsButRemovesNothing) {
  CustomerMap map{{kFixtureIds[1], "Groß alt"}, {"only-in-records", "Bleibt"}};
  EXPECT_EQ(ReadCustomerFile(map, kFixture), CustomerFileState::Read);
  EXPECT_EQ(map.size(), 6u);
  EXPECT_EQ(map.at(kFixtureIds[1]), "Bauunternehmung Groß & Söhne, Köln");
  EXPECT_EQ(map.at("only-in-records"), "Bleibt");

  TempFolder dir;
  const CustomerMap before = map;
  EXPECT_EQ(ReadCustomerFile(map, dir.path() / kCustomerFileName), CustomerFileState::Missing);
  EXPECT_EQ(map, before);
}

// ---------------------------------------------------- the dialog's list

TEST(CustomerList, LoadsWithIdsOnlySortedByNameWhateverTheCase) {
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  ASSERT_TRUE(platform::WriteTextFile(
      file, "VERSION=001\nDATA_START\n~1$~zeta$\n~$~Ohne ID$\n~2$~Alpha$\n~3$~beta$\n~4$~Alpha$\nDATA_STOP\n"));
  CustomerList list(file, "12", "7");
  EXPECT_EQ(list.Load(), CustomerFileState::Read);
  EXPECT_EQ(list.rows(), (std::vector<Customer>{{"2", "Alpha"}, {"4", "Alpha"}, {"3", "beta"}, {"1", "zeta"}}));
  EXPECT_FALSE(list.changed());
}

TEST(CustomerList, LoadAndSaveKeepTheFixtureByteForByte) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  CustomerList list(file, "12", "7");
  ASSERT_EQ(list.Load(), CustomerFileState::Read);
  EXPECT_EQ(list.rows(), FixtureCustomers());
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(Bytes(file), Bytes(kFixture));
}

TEST(CustomerList, AddsRenamesDeletesAndSaves) {
  TempFolder dir;
  const fs::path file = CopyOfFixture(dir.path());
  PinnedClock clock(2025, 2, 3, 14, 5, 9);
  CustomerList list(file, "12", "7");
  list.Load();

  int row = -1;
  ASSERT_EQ(list.Add("  Kieswerk Nord  ", &row), CustomerList::Edit::Done);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(list.rows()[2], (Customer{"250203140509-12-7", "Kieswerk Nord"}));
  EXPECT_TRUE(list.changed());

  // A rename takes the name as given, moves the row to its place, keeps the ID.
  ASSERT_EQ(list.Rename(0, "Tiefbauamt ", &row), CustomerList::Edit::Done);
  EXPECT_EQ(row, 4);
  EXPECT_EQ(list.rows()[4], (Customer{kFixtureIds[0], "Tiefbauamt "}));

  ASSERT_EQ(list.Remove(list.FindRow(kFixtureIds[2])), CustomerList::Edit::Done);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Bauunternehmung Groß & Söhne, Köln", "Kieswerk Nord",
                                                   "Müller Straßenbau GmbH", "Tiefbauamt ", "Zementwerk Nord € 100"}));
  ASSERT_TRUE(list.Save());
  EXPECT_FALSE(list.changed());
  EXPECT_EQ(Bytes(file),
            "VERSION=001\r\nDATA_START\r\n"
            "~240305141516-12-7$~Bauunternehmung Gro\xdf & S\xf6hne, K\xf6ln$\r\n"
            "~250203140509-12-7$~Kieswerk Nord$\r\n"
            "~210101000000-3-1$~M\xfcller Stra\xdf" "enbau GmbH$\r\n"
            "~230114093012-12-7$~Tiefbauamt $\r\n"
            "~220202020202-12-7$~Zementwerk Nord \x80 100$\r\n"
            "DATA_STOP\r\n");
}

TEST(CustomerList, RefusedEditsChangeNothing) {
  TempFolder dir;
  CustomerList list(CopyOfFixture(dir.path()), "12", "7");
  list.Load();
  const auto rows = list.rows();
  EXPECT_EQ(list.Add("   "), CustomerList::Edit::EmptyName);
  EXPECT_EQ(list.Add("Meier $ Co"), CustomerList::Edit::BreaksTheFile);
  EXPECT_EQ(list.Rename(1, ""), CustomerList::Edit::EmptyName);
  EXPECT_EQ(list.Rename(1, "~Meier"), CustomerList::Edit::BreaksTheFile);
  EXPECT_EQ(list.Rename(1, rows[1].name), CustomerList::Edit::Unchanged);
  EXPECT_EQ(list.Rename(9, "Neu"), CustomerList::Edit::NoRow);
  EXPECT_EQ(list.Remove(-1), CustomerList::Edit::NoRow);
  EXPECT_EQ(list.rows(), rows);
  EXPECT_FALSE(list.changed());
}

TEST(CustomerList, IdsMadeInOneSecondDoNotCollide) {
  TempFolder dir;
  PinnedClock clock(2025, 2, 3, 14, 5, 9);
  // The records name a customer made in that second elsewhere in the program.
  const CustomerMap known{{"250203140509-12-7", "Aus einem Datensatz"}};
  CustomerList list(dir.path() / kCustomerFileName, "12", "7");
  list.SetKnownCustomers(&known);
  list.Load();
  ASSERT_EQ(list.Add("Erster"), CustomerList::Edit::Done);
  ASSERT_EQ(list.Add("Zweiter"), CustomerList::Edit::Done);
  ASSERT_EQ(list.Add("Dritter"), CustomerList::Edit::Done);
  std::set<std::string> ids;
  for (const Customer& c : list.rows()) ids.insert(c.id);
  EXPECT_EQ(ids, (std::set<std::string>{"250203140510-12-7", "250203140511-12-7", "250203140512-12-7"}));

  // All three survive a save and a load.
  ASSERT_TRUE(list.Save());
  CustomerList again(list.file(), "12", "7");
  again.Load();
  EXPECT_EQ(again.rows().size(), 3u);
}

TEST(CustomerList, AFailedSaveKeepsTheChanges) {
  TempFolder dir;
  CustomerList list(dir.path() / "gone" / kCustomerFileName, "12", "7");
  list.Load();
  ASSERT_EQ(list.Add("Neu"), CustomerList::Edit::Done);
  EXPECT_FALSE(list.Save());
  EXPECT_TRUE(list.changed());
  EXPECT_EQ(list.rows().size(), 1u);
}

TEST(CustomerList, NeverSavesOverAFileItCouldNotRead) {
  TempFolder dir;
  const fs::path file = dir.path() / kCustomerFileName;
  std::ofstream(file, std::ios::binary) << "VERSION=001\r\n~1$~Meier$\r\n";  // its start line is lost
  CustomerList list(file, "12", "7");
  EXPECT_EQ(list.Load(), CustomerFileState::Unreadable);
  EXPECT_TRUE(list.readFailed());
  EXPECT_TRUE(list.rows().empty());
  ASSERT_EQ(list.Add("Neu"), CustomerList::Edit::Done);
  EXPECT_FALSE(list.Save());
  EXPECT_EQ(Bytes(file), "VERSION=001\r\n~1$~Meier$\r\n");
}
