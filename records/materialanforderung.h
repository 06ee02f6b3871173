#pragma once
// The requirements of one test record: its requirement string (field 5, ";"
// fields at fixed positions, as older records carry them) and its material
// definition (field 25). Does not own the record.
#include <string>

class CMaterialAnforderung {
 public:
  // Stores both texts and drops the cached sieve requirements. Always true.
  bool SetStrings(const std::string& requirementString, const std::string& materialDefinitionString);
  // Row 2 (0.063 mm) may hold two codes "a/b": false picks a, true picks b.
  void SetAlternativeFlag(bool useSecond) { useSecondAlternative_ = useSecond; }

  // Rows 0-12, 26, 28, 29: sets label (the sieve size) and requirement; other
  // rows leave both as passed. True when the requirement is set and holds no "#".
  bool GetSieveRequirement(int row, std::string& label, std::string& requirement) const;
  // Rows 20-25, 27: sets the requirement; same result rule.
  bool GetSideTestRequirement(int row, std::string& requirement) const;
  // SIEBANFORDERUNGEN of the material definition (cut on first demand, together
  // with SieveRequirementLines).
  std::string GetSieveRequirements();

  // SIEBANFLINIEN of the material definition; valid after GetSieveRequirements.
  std::string SieveRequirementLines;

 private:
  std::string sieveRequirements_;
  bool useSecondAlternative_ = false;
  std::string requirementString_;
  std::string materialDefinitionString_;
};
