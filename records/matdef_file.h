#pragma once
// The plant's material definition file "matdef/material_def.dat" in the data
// folder (code page 1252, one definition per line between the lines
// "DATA_START" and "DATA_STOP") and the built-in definitions appended to it.
#include <filesystem>
#include <string>
#include <vector>

std::filesystem::path MaterialDefFilePath(const std::filesystem::path& dataFolder);

// The list: the file's definition lines (trimmed) in file order, then the 93
// built-in entries. False with an error text when the file is missing or has
// no start or stop marker; false with the error text untouched when it cannot
// be read.
bool ReadMaterialDefs(const std::filesystem::path& dataFolder, std::vector<std::string>& list,
                      std::string& errorText);

// The built-in entries in list order: headings (first character a blank),
// separators (one blank) and definitions.
const std::vector<std::string>& BuiltinMaterialEntries();
constexpr int kBuiltinMaterialEntryCount = 93;

// Fills or corrects the texts that a built-in ID (or a track-ballast name)
// implies: the material kind, the standard cut out of the name, the test type
// and the time. True when it assigned any of them.
bool FillBuiltinMaterialTexts(const std::string& id, std::string& name, std::string& kind,
                              std::string& standard, std::string& testType, std::string& time);
