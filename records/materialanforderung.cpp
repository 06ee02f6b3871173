#include "records/materialanforderung.h"

#include "records/strutil.h"

namespace {

bool IsSet(const std::string& requirement) {
  return !requirement.empty() && requirement.find('#') == std::string::npos;
}

// Label and requirement fields of the sieve rows. A label field of -1 means a
// fixed label text.
struct SieveRow {
  int row;
  int labelField;
  const char* fixedLabel;
  int requirementField;
};
constexpr SieveRow kSieveRows[] = {
    {0, -1, "0.09", 27}, {1, -1, "0.02", 31}, {2, -1, "0.063", 32}, {3, 34, "", 35},
    {4, 37, "", 38},     {5, 40, "", 41},     {6, 43, "", 44},      {7, 46, "", 47},
    {8, 49, "", 50},     {9, 59, "", 60},     {10, -1, "", 57},     {11, 66, "", 67},
    {12, 64, "", 65},    {26, 82, "", 83},    {28, 86, "", 87},     {29, 88, "", 89}};

struct SideTestRow {
  int row;
  int requirementField;
};
constexpr SideTestRow kSideTestRows[] = {{20, 52}, {21, 81}, {22, 80}, {23, 54},
                                         {24, 55}, {25, 84}, {27, 85}};

}  // namespace

bool CMaterialAnforderung::SetStrings(const std::string& requirementString,
                                      const std::string& materialDefinitionString) {
  requirementString_ = requirementString;
  materialDefinitionString_ = materialDefinitionString;
  sieveRequirements_.clear();
  return true;
}

bool CMaterialAnforderung::GetSieveRequirement(int row, std::string& label, std::string& requirement) const {
  for (const SieveRow& r : kSieveRows) {
    if (r.row != row) continue;
    label = r.labelField < 0 ? r.fixedLabel : StrGetField(requirementString_, ';', r.labelField);
    requirement = StrGetField(requirementString_, ';', r.requirementField);
    if (row == 2 && requirement.find('/') != std::string::npos)
      requirement = StrGetField(requirement, '/', useSecondAlternative_ ? 1 : 0);
    break;
  }
  return IsSet(requirement);
}

bool CMaterialAnforderung::GetSideTestRequirement(int row, std::string& requirement) const {
  for (const SideTestRow& r : kSideTestRows)
    if (r.row == row) requirement = StrGetField(requirementString_, ';', r.requirementField);
  return IsSet(requirement);
}

std::string CMaterialAnforderung::GetSieveRequirements() {
  if (sieveRequirements_.empty() && !materialDefinitionString_.empty()) {
    sieveRequirements_ = StrGetToken(materialDefinitionString_, "{", "}", 4);
    SieveRequirementLines = StrGetToken(materialDefinitionString_, "{", "}", 6);
  }
  return sieveRequirements_;
}
