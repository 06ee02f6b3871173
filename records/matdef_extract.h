#pragma once
// The material definitions carried by records (field 25) and the plant's
// definition file brought together in both directions: a record whose
// definition the list knows by its ID, with another text, takes the list's
// text; a definition the list does not know is added to the file.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CVersuch;

// The ID of a definition text: part 0 of its group 1 ("" for headings,
// separators and empty texts).
std::string MaterialDefinitionId(const std::string& definition);

struct MaterialExtraction {
  int changedRecords = 0;            // records whose field 25 took the list's text
  std::vector<std::string> queued;   // definitions for the file, first record of each ID
  int alreadyDefined = 0;            // records whose definition the list holds as it is
};

// Visits the records in their order against the definition list (as
// ReadMaterialDefs gives it). A record whose definition has no ID is neither
// changed nor queued; built-in IDs ("-DBDBDB-") are never queued.
MaterialExtraction ExtractMaterialDefinitions(const std::vector<CVersuch*>& records,
                                              const std::vector<std::string>& list);

// The file's bytes with the definitions inserted as lines directly before
// the stop marker that follows the start marker; every other byte, the lines
// after the stop marker included, stays. False when a marker is missing.
bool InsertMaterialDefinitions(std::string& fileBytes, const std::vector<std::string>& definitions);

// Adds the definitions to "matdef/material_def.dat" of the data folder: the
// new file is written beside it ("material_def.dat.bak"), flushed and renamed
// over it in one step.
// False, with the old file as it was, when it cannot be read, has lost a
// marker, or the new file cannot be written.
bool AddMaterialDefinitionsToFile(const std::filesystem::path& dataFolder,
                                  const std::vector<std::string>& definitions);

// The new file of an AddMaterialDefinitionsToFile cut short before its
// rename stays beside the file as "material_def.dat.bak". The start removes
// it while "material_def.dat" itself is there (the copy is then no newer
// than a run that never finished); without the file it is kept, it may be
// all there is. The copy's path when it should go but could not.
std::optional<std::filesystem::path> RemoveLeftoverMaterialCopy(const std::filesystem::path& dataFolder);
