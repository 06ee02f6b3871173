#include "shell/mainview/recordsort.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "records/strutil.h"
#include "records/versuch.h"

namespace {

// Where one sort key is read: part `part` of field `field` (the whole field
// for -1) as folded text, or a number.
struct KeySource {
  enum Kind { kNone, kText, kSievingMode, kPresence };
  Kind kind = kNone;
  int field = 0;
  int part = -1;
  bool descending = false;
};

KeySource SourceOf(int kind, int parameter) {
  if (kind == kSortByStatus) {
    switch (parameter) {
      case 0: return {KeySource::kText, 29, -1, true};
      case 1: return {KeySource::kText, 1, 4, false};
      case 2: return {KeySource::kText, 18, 7, true};
      case 3: return {KeySource::kPresence, 1, 21, true};  // a remark first
      default: return {};
    }
  }
  const bool descending = parameter >= kSortDescending;
  const int column = descending ? parameter - kSortDescending : parameter;
  if (column == 16) return {KeySource::kSievingMode, 0, -1, descending};
  return {KeySource::kText, 30, column, descending};
}

std::string_view KeyText(const std::string& field, const KeySource& source) {
  return source.part < 0 ? std::string_view(field) : StrGetFieldView(field, '|', source.part);
}

// The keys of one sort, taken once: per row and key the first eight bytes of
// the folded text as one number (or the key's number), the whole folded
// texts in one buffer for the rows whose beginnings are equal.
class KeyTable {
 public:
  KeyTable(const std::vector<const CVersuch*>& rows, const std::vector<KeySource>& sources)
      : width_(sources.size()), sources_(sources), keys_(rows.size() * sources.size()) {
    for (size_t k = 0; k < width_; ++k) Take(rows, k);
  }

  uint64_t Head(size_t row, size_t k) const { return keys_[row * width_ + k].head; }

  // Negative, 0 or positive as row a sorts before, with or after row b.
  int Compare(size_t a, size_t b) const {
    for (size_t k = 0; k < width_; ++k) {
      const Key& x = keys_[a * width_ + k];
      const Key& y = keys_[b * width_ + k];
      int c = 0;
      if (x.head != y.head) c = x.head < y.head ? -1 : 1;
      else if (x.size > 8 || y.size > 8) c = Text(x).compare(Text(y));
      else c = (x.size > y.size) - (x.size < y.size);  // equal but for trailing zero bytes
      if (c != 0) return sources_[k].descending ? -c : c;
    }
    return 0;
  }

 private:
  struct Key {
    uint64_t head = 0;  // the first eight bytes, big-endian, zero-padded
    uint32_t offset = 0;
    uint32_t size = 0;
  };

  std::string_view Text(const Key& key) const { return std::string_view(texts_).substr(key.offset, key.size); }

  static uint64_t HeadOf(std::string_view folded) {
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i)
      head = head << 8 | (i < folded.size() ? static_cast<unsigned char>(folded[i]) : 0u);
    return head;
  }

  static uint64_t NumberHead(int number) { return static_cast<uint64_t>(static_cast<int64_t>(number)) ^ (1ull << 63); }

  void Take(const std::vector<const CVersuch*>& rows, size_t k) {
    const KeySource& source = sources_[k];
    const size_t count = rows.size();
    if (source.kind == KeySource::kSievingMode) {
      for (size_t row = 0; row < count; ++row) keys_[row * width_ + k].head = NumberHead(rows[row]->GetSievingMode());
      return;
    }
    if (source.kind == KeySource::kNone) return;
    // The records lie all over the heap: each field and its text are fetched
    // some rows ahead, so that the waits for memory overlap.
    constexpr size_t kAhead = 8;
    auto fieldOf = [&rows, &source](size_t row) -> const std::string& { return rows[row]->GetField(source.field); };
    for (size_t row = 0; row < count; ++row) {
      if (row + 2 * kAhead < count) __builtin_prefetch(&fieldOf(row + 2 * kAhead));
      if (row + kAhead < count) {
        const std::string& ahead = fieldOf(row + kAhead);
        for (size_t offset = 0; offset < std::min<size_t>(ahead.size(), 256); offset += 64)
          __builtin_prefetch(ahead.data() + offset);
      }
      const std::string_view text = KeyText(fieldOf(row), source);
      Key& key = keys_[row * width_ + k];
      if (source.kind == KeySource::kPresence) {
        key.head = NumberHead(text.empty() ? 0 : 1);
        continue;
      }
      key.offset = static_cast<uint32_t>(texts_.size());
      AppendFoldedText(texts_, text);
      key.size = static_cast<uint32_t>(texts_.size() - key.offset);
      key.head = HeadOf(std::string_view(texts_).substr(key.offset));
    }
  }

  size_t width_;
  std::vector<KeySource> sources_;
  std::vector<Key> keys_;
  std::string texts_;
};

// One stable sort by the keys in turn (the first decides, the next breaks
// its ties...), the same order as one stable pass per key from the last
// key to the first.
std::vector<size_t> OrderByKeys(const std::vector<const CVersuch*>& rows,
                                const std::vector<std::pair<int, int>>& keys) {
  std::vector<KeySource> sources;
  for (const auto& [kind, parameter] : keys) sources.push_back(SourceOf(kind, parameter));
  const KeyTable table(rows, sources);
  // The first key's beginning beside the row decides most comparisons
  // without a look into the table.
  struct Entry {
    uint64_t head;
    size_t row;
  };
  std::vector<Entry> entries(rows.size());
  for (size_t row = 0; row < rows.size(); ++row) entries[row] = {table.Head(row, 0), row};
  const bool descending = !sources.empty() && sources.front().descending;
  std::stable_sort(entries.begin(), entries.end(), [&table, descending](const Entry& a, const Entry& b) {
    if (a.head != b.head) return descending ? a.head > b.head : a.head < b.head;
    return table.Compare(a.row, b.row) < 0;
  });
  std::vector<size_t> order(rows.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = entries[i].row;
  return order;
}

void SortRowsByKeys(std::vector<CVersuch*>& rows, const std::vector<std::pair<int, int>>& keys) {
  const std::vector<size_t> order = OrderByKeys(std::vector<const CVersuch*>(rows.begin(), rows.end()), keys);
  std::vector<CVersuch*> sorted(rows.size());
  for (size_t i = 0; i < order.size(); ++i) sorted[i] = rows[order[i]];
  rows = std::move(sorted);
}

int CompareByKey(const CVersuch& a, const CVersuch& b, int kind, int parameter) {
  const KeyTable table({&a, &b}, {SourceOf(kind, parameter)});
  return table.Compare(0, 1);
}

}  // namespace

int CompareRecordsByColumn(const CVersuch& a, const CVersuch& b, int parameter) {
  return CompareByKey(a, b, kSortByColumn, parameter);
}

int CompareRecordsByStatus(const CVersuch& a, const CVersuch& b, int order) {
  return CompareByKey(a, b, kSortByStatus, order);
}

void SortRecords(std::vector<CVersuch*>& rows, int kind, int parameter) { SortRowsByKeys(rows, {{kind, parameter}}); }

std::vector<size_t> SortOrder(const std::vector<const CVersuch*>& rows, int kind, int parameter) {
  return OrderByKeys(rows, {{kind, parameter}});
}

namespace {
// Every kind but the status kind selects the column comparator.
bool SameSortKey(int kindA, int parameterA, int kindB, int parameterB) {
  const bool statusA = kindA == kSortByStatus;
  const bool statusB = kindB == kSortByStatus;
  if (statusA != statusB) return false;
  // A column sorts the same whichever its direction; status orders have none.
  return statusA ? parameterA == parameterB : parameterA % 100 == parameterB % 100;
}
}  // namespace

void SortState::SetSortKey(int kind, int parameter) {
  if (!SameSortKey(primaryKind, primaryParameter, kind, parameter)) {
    secondaryKind = primaryKind;
    secondaryParameter = primaryParameter;
  }
  primaryKind = kind;
  primaryParameter = parameter;
}

std::vector<std::pair<int, int>> SortState::Keys() const {
  return {{primaryKind, primaryParameter}, {secondaryKind, secondaryParameter}, {kSortByColumn, 0}};
}

void SortState::FullSort(std::vector<CVersuch*>& rows) const { SortRowsByKeys(rows, Keys()); }

std::vector<size_t> SortState::FullSortOrder(const std::vector<const CVersuch*>& rows) const {
  return OrderByKeys(rows, Keys());
}

std::string SortState::Format() const {
  return std::to_string(primaryKind) + ";" + std::to_string(primaryParameter) + ";" +
         std::to_string(secondaryKind) + ";" + std::to_string(secondaryParameter);
}

SortState SortState::Parse(const std::string& text) {
  SortState s;
  s.primaryKind = PlainAtoi(StrGetField(text, ';', 0));
  s.primaryParameter = PlainAtoi(StrGetField(text, ';', 1));
  s.secondaryKind = PlainAtoi(StrGetField(text, ';', 2));
  s.secondaryParameter = PlainAtoi(StrGetField(text, ';', 3));
  return s;
}

namespace {
std::vector<KeySource> SourcesOf(const std::vector<std::pair<int, int>>& keys) {
  std::vector<KeySource> sources;
  sources.reserve(keys.size());
  for (const auto& [kind, parameter] : keys) sources.push_back(SourceOf(kind, parameter));
  return sources;
}
}  // namespace

void ListOrder::Set(std::vector<std::pair<int, int>> keys) {
  keys_.clear();
  // Set them from the last to the first, so that a repeated key counts once, where it first decides.
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) SortedBy(key->first, key->second);
}

void ListOrder::SortedBy(int kind, int parameter) {
  // An older pass by the same key breaks no tie the new one leaves.
  std::erase_if(keys_, [kind, parameter](const std::pair<int, int>& key) {
    return SameSortKey(key.first, key.second, kind, parameter);
  });
  keys_.insert(keys_.begin(), {kind, parameter});
}

size_t ListOrder::InsertionRow(const std::vector<const CVersuch*>& rows, const CVersuch& record) const {
  const std::vector<KeySource> sources = SourcesOf(keys_);
  size_t low = 0, high = rows.size();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (KeyTable({&record, rows[middle]}, sources).Compare(0, 1) < 0) high = middle;
    else low = middle + 1;
  }
  return low;
}

std::vector<size_t> ListOrder::MergeOrder(const std::vector<const CVersuch*>& rows, size_t firstAdded) const {
  firstAdded = std::min(firstAdded, rows.size());
  std::vector<size_t> order;
  order.reserve(rows.size());
  // The keys of every row are taken once: the rows are merged, not sorted.
  const KeyTable table(rows, SourcesOf(keys_));
  std::vector<size_t> added(rows.size() - firstAdded);
  for (size_t i = 0; i < added.size(); ++i) added[i] = firstAdded + i;
  std::stable_sort(added.begin(), added.end(), [&table](size_t a, size_t b) { return table.Compare(a, b) < 0; });
  size_t row = 0;
  for (const size_t next : added) {
    while (row < firstAdded && table.Compare(next, row) >= 0) order.push_back(row++);
    order.push_back(next);
  }
  while (row < firstAdded) order.push_back(row++);
  return order;
}
