#include "records/matdef_extract.h"

#include <unordered_map>
#include <unordered_set>

#include "platform/files.h"
#include "platform/textfile.h"
#include "records/matdef_file.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

bool BeginsWith(std::string_view line, std::string_view marker) { return line.substr(0, marker.size()) == marker; }

}  // namespace

std::string MaterialDefinitionId(const std::string& definition) {
  return StrGetField(StrGetToken(definition, "{", "}", 1), '|', 0);
}

MaterialExtraction ExtractMaterialDefinitions(const std::vector<CVersuch*>& records,
                                              const std::vector<std::string>& list) {
  // The entries of each ID in list order; entries without an ID never match.
  std::unordered_map<std::string, std::vector<const std::string*>> byId;
  for (const std::string& entry : list) {
    std::string id = MaterialDefinitionId(entry);
    if (!id.empty()) byId[std::move(id)].push_back(&entry);
  }

  MaterialExtraction result;
  std::unordered_set<std::string> queuedIds;
  for (CVersuch* record : records) {
    if (!record) continue;
    const std::string carried = record->GetField(25);
    const std::string id = MaterialDefinitionId(carried);
    if (id.empty()) continue;
    const auto known = byId.find(id);
    if (known != byId.end()) {
      bool changed = false;
      for (const std::string* entry : known->second) {
        if (*entry == carried) continue;
        record->SetMaterialDefinition(*entry);
        ++result.changedRecords;
        changed = true;
        break;
      }
      if (!changed) ++result.alreadyDefined;
      continue;
    }
    if (id.find("-DBDBDB-") != std::string::npos || !queuedIds.insert(id).second) continue;
    result.queued.push_back(carried);
  }
  return result;
}

bool InsertMaterialDefinitions(std::string& fileBytes, const std::vector<std::string>& definitions) {
  bool started = false;
  for (size_t begin = 0; begin < fileBytes.size();) {
    size_t end = fileBytes.find('\n', begin);
    end = end == std::string::npos ? fileBytes.size() : end + 1;
    const std::string_view line(fileBytes.data() + begin, end - begin);
    if (!started) {
      started = BeginsWith(line, "DATA_START");
    } else if (BeginsWith(line, "DATA_STOP")) {
      std::string lines;
      for (const std::string& definition : definitions) lines += platform::EncodeText(definition + "\n");
      fileBytes.insert(begin, lines);
      return true;
    }
    begin = end;
  }
  return false;
}

namespace {

std::filesystem::path MaterialCopyPath(std::filesystem::path file) { return file += ".bak"; }

}  // namespace

bool AddMaterialDefinitionsToFile(const std::filesystem::path& dataFolder,
                                  const std::vector<std::string>& definitions) {
  const std::filesystem::path file = MaterialDefFilePath(dataFolder);
  std::optional<std::string> bytes = platform::ReadFileBytes(file);
  if (!bytes || !InsertMaterialDefinitions(*bytes, definitions)) return false;
  // The copy beside the file, flushed, then renamed over it in one step: the
  // file is either the old one or the new one.
  const std::filesystem::path copy = MaterialCopyPath(file);
  if (platform::WriteFileBytes(copy, *bytes) && platform::ReplaceFile(copy, file)) return true;
  if (platform::FileExists(copy)) platform::DeleteFile(copy);
  return false;
}

std::optional<std::filesystem::path> RemoveLeftoverMaterialCopy(const std::filesystem::path& dataFolder) {
  const std::filesystem::path file = MaterialDefFilePath(dataFolder);
  const std::filesystem::path copy = MaterialCopyPath(file);
  if (!platform::FileExists(copy) || !platform::FileExists(file) || platform::DeleteFile(copy)) return std::nullopt;
  return copy;
}
