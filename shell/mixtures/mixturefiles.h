#pragma once
// The mixture files of a folder as the mixture management lists them, and
// the file work behind its buttons, without windows: listing, sort keys,
// duplicating, deleting and moving. Of a mixture file the program reads only
// the line "LISTCTRLDATEN=[name|materials|dd.mm.yyyy|requirement]" and, when
// it duplicates one, rewrites the name lines; the rest belongs to the mixture
// editor.
#include <array>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kMixtureColumns = 6;

// One row: the file, the texts of the six columns (status, name, number of
// materials, creation date, requirement, file) and their sort keys.
struct MixtureRow {
  std::filesystem::path path;
  std::array<std::string, kMixtureColumns> texts;
  std::array<std::string, kMixtureColumns> keys;
};
MixtureRow MakeMixtureRow(const std::filesystem::path& path, const std::string& listLine);

// The list line of a file: the value in brackets of its first line that
// begins with "LISTCTRLDATEN="; nullopt without such a line or when the file
// cannot be read.
std::optional<std::string> ReadMixtureListLine(const std::filesystem::path& file);

// The mixtures of a folder in name order: files ending in ".pvm" in any case,
// except the hand-off file "tmp.pvm", that have a list line.
std::vector<MixtureRow> ReadMixtureFolder(const std::filesystem::path& folder);

// Rows compared by a column's sort key, case ignored: negative, 0, positive.
int CompareMixtureRows(const MixtureRow& a, const MixtureRow& b, int column);

// Copies a mixture under the time stamp "%y%m%d%H%M%S.pvm" into the folder,
// named "KOPIE VON ..." in its name and list lines. A name that is taken
// (a copy in the same second) is tried again after a wait, three times in
// all. nullopt when no copy could be made (`failure` says why; nothing is
// left behind).
struct MixtureClock {
  std::function<std::time_t()> now;
  std::function<void()> waitOneSecond;
};
MixtureClock RealMixtureClock();
std::optional<MixtureRow> DuplicateMixtureFile(const std::filesystem::path& file, const std::filesystem::path& folder,
                                               const MixtureClock& clock, std::string* failure = nullptr);

// Deletes the file; true also when it is gone already.
bool DeleteMixtureFile(const std::filesystem::path& file);

// The file's path in another folder.
std::filesystem::path MixtureTargetPath(const std::filesystem::path& file, const std::filesystem::path& folder);
// Moves the file into the folder under its name, never over an existing
// file, also onto another file system.
bool MoveMixtureFile(const std::filesystem::path& file, const std::filesystem::path& folder);
