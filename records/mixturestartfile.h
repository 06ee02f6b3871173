#pragma once
// The mixture start file "tmp.pvm": the grading data of chosen records as a
// new, unnamed mixture for the mixture editor, which computes a mixture
// recommendation from them. The program writes it (into the data folder's
// "misch" folder) and never reads it back.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

class CVersuch;

inline constexpr char kMixtureStartFileName[] = "tmp.pvm";
// Stands for the share in an entry until the number of entries is known.
inline constexpr char kSharePlaceholder[] = "{{{ANTEIL}}}";

// One material of the mixture: its designation (the list's material column)
// and its entry "[number   designation (kind)|sizes|passing][share|1|0][price|date][0/1]"
// with the share placeholder.
struct MixtureMaterial {
  std::string designation;
  std::string entry;
};
// Records with a sieve analysis give their sieves (largest first) and passing
// values; others their armourstone grading when it has five items or more.
// nullopt: the record has no grading to offer.
std::optional<MixtureMaterial> BuildMixtureMaterial(const CVersuch& record);

// Turns the designations into sort keys ("2/8" keys as 2008, a text without
// "a/b" as its leading number or 0) and sorts both lists together by them,
// keeping equal keys in their order.
void FormatSieveLabelKeys(std::vector<std::string>& designations, std::vector<std::string>& entries);

struct MixtureStartFile {
  std::string text;  // "\n" line ends; empty when no record had a grading
  int entries = 0;
  int skipped = 0;
};
// The file for the records in list order; every entry gets 1000 / entries
// as its share.
MixtureStartFile MakeMixtureStartFile(const std::vector<const CVersuch*>& records, std::time_t now);
