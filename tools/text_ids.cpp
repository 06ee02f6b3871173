// text_ids <source root> [language file]: the program's text ids with their
// German texts, read from its sources ("<id><TAB><German><TAB><file>:<line>",
// by id). With a language file: the entry pairs that its message section
// lacks, German filled in and the translation marked "#", ready to be
// translated and put into the file's "[MsgString]" section; exit status 1
// when any is missing.
#include <cstdio>
#include <filesystem>
#include <map>

#include "tools/text_catalogue.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: text_ids <source root> [language file]\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  if (!std::filesystem::is_directory(root / "i18n")) {
    std::fprintf(stderr, "text_ids: %s holds no program sources\n", argv[1]);
    return 2;
  }
  std::vector<textcatalogue::TextUse> uses = textcatalogue::ScanSources(root);
  if (argc == 2) {
    std::multimap<int, const textcatalogue::TextUse*> byId;
    for (const auto& use : uses) byId.emplace(use.id, &use);
    for (const auto& [id, use] : byId)
      std::printf("%d\t%s\t%s:%d\n", id, textcatalogue::EscapedForLanguageFile(use->german).c_str(), use->file.c_str(),
                  use->line);
    return 0;
  }
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "text_ids: cannot read %s\n", argv[2]);
    return 2;
  }
  const auto entries = textcatalogue::MessageEntries(textcatalogue::detail::ReadWhole(argv[2]));
  const auto missing = textcatalogue::MissingFrom(uses, entries);
  for (const auto& use : missing) {
    const std::string german = textcatalogue::EscapedForLanguageFile(use.german);
    std::printf("IDS-%d-de=%s\r\nIDS-%d=#%s\r\n", use.id, german.c_str(), use.id, german.c_str());
  }
  return missing.empty() ? 0 : 1;
}
