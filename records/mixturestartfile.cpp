#include "records/mixturestartfile.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "platform/datetime.h"
#include "platform/numbers.h"
#include "records/sievelist.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

// "a/b" read as two numbers, as "%lf/%lf" reads them.
bool ReadFraction(const std::string& text, double& a, double& b) {
  size_t used = 0;
  a = platform::ParseDouble(text, &used);
  if (used == 0 || used >= text.size() || text[used] != '/') return false;
  size_t usedB = 0;
  b = platform::ParseDouble(std::string_view(text).substr(used + 1), &usedB);
  return usedB > 0;
}

}  // namespace

std::optional<MixtureMaterial> BuildMixtureMaterial(const CVersuch& record) {
  std::string sizes;
  std::string values;
  if (!record.GetValue(3, 1).empty()) {
    sizes = SortSieveSizesDescending(record.GetValue(6, 0));
    values = record.GetValue(3, 1);
  } else {
    // The armourstone grading: the inner items of sizes and passing values.
    const std::string sizeItems = record.GetValue(26, 10);
    const std::string passingItems = record.GetValue(26, 13);
    const int count = StrCountFields(sizeItems, '@');
    if (count - 1 <= 3) return std::nullopt;
    for (int i = 1; i <= count - 2; ++i) {
      const std::string passing = StrGetField(passingItems, '@', i);
      if (passing.empty()) continue;
      sizes += (sizes.empty() ? "" : ";") + StrGetField(sizeItems, '@', i);
      values += (values.empty() ? "" : ";") + passing;
    }
  }
  const std::string designation = record.GetValue(30, 4);
  MixtureMaterial material;
  material.designation = designation;
  material.entry = "[" + record.GetValue(30, 0) + "   " + designation + " (" + record.GetValue(30, 3) + ")|" + sizes +
                   "|" + values + "][" + kSharePlaceholder + "|1|0][" + record.GetGroupValue(25, 3, 3) + "|" +
                   record.GetGroupValue(25, 3, 4) + "][" + (record.HasSieveData() ? "1" : "0") + "]";
  return material;
}

void FormatSieveLabelKeys(std::vector<std::string>& designations, std::vector<std::string>& entries) {
  for (std::string& designation : designations) {
    double a = 0, b = 0;
    if (designation.find('/') == std::string::npos || !ReadFraction(designation, a, b)) continue;
    char key[64];
    std::snprintf(key, sizeof key, "%010.3f", a * 1000 + b);
    designation = key;
  }
  std::vector<size_t> order(designations.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&designations](size_t x, size_t y) {
    return platform::ParseDouble(designations[x]) < platform::ParseDouble(designations[y]);
  });
  std::vector<std::string> keys, sorted;
  for (size_t i : order) {
    keys.push_back(designations[i]);
    sorted.push_back(i < entries.size() ? entries[i] : std::string());
  }
  designations = std::move(keys);
  if (entries.size() >= order.size()) std::copy(sorted.begin(), sorted.end(), entries.begin());
}

MixtureStartFile MakeMixtureStartFile(const std::vector<const CVersuch*>& records, std::time_t now) {
  MixtureStartFile file;
  std::vector<std::string> designations, entries;
  for (const CVersuch* record : records) {
    std::optional<MixtureMaterial> material = BuildMixtureMaterial(*record);
    if (!material) {
      ++file.skipped;
      continue;
    }
    designations.push_back(material->designation);
    entries.push_back(material->entry);
  }
  file.entries = static_cast<int>(entries.size());
  if (entries.empty()) return file;

  const std::string share = std::to_string(1000 / file.entries);
  for (std::string& entry : entries) StrReplace(entry, kSharePlaceholder, share);
  if (entries.size() >= 2) FormatSieveLabelKeys(designations, entries);

  file.text = "BEZEICHNUNG=[unbenannt]\nKOPFTEXT_LINKS=[Mischungsempfehlung]\nKOPFTEXT_RECHTS=[]\nANGELEGT_AM=[" +
              platform::FormatLocalTime("%y%m%d%H%M%S", now) + "]\n";
  for (const std::string& entry : entries) file.text += "MATERIAL=" + entry + "\n";
  file.text += "ZIELTURM=[]\n";
  return file;
}
