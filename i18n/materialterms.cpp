#include "i18n/materialterms.h"

#include <map>
#include <tuple>

#include "i18n/translation.h"

namespace {

struct Term {
  int textId;
  const char* german;
};
constexpr Term kTerms[] = {
    // Test types.
    {67400, "Werkseigene Produktionskontrolle"},
    {67401, "Eignungsprüfung"},
    // Material kinds.
    {67402, "Brechkorn"},
    {67403, "Rundkorn"},
    {67404, "Recycling"},
    {67405, "Recyclingbaustoff"},
    {67406, "Gleisschotter"},
    {67407, "Wasserbaustein"},
    {67408, "Natursand"},
    {67409, "Kiessand"},
    {67410, "Gesteinskörnung"},
};

}  // namespace

std::string MaterialTermText(const std::string& value, bool forPrint) {
  for (const Term& term : kTerms) {
    if (value != term.german) continue;
    if (IsGermanLanguage(CurrentLangCode()) || (forPrint && PrintGermanFlag())) return value;
    // The list asks for every cell it paints: a word is looked up in the
    // language file once per language.
    static std::map<std::tuple<std::string, std::string, int>, std::string> shown;
    const auto key = std::tuple(LanguageFolder().string(), CurrentLangCode(), term.textId);
    auto it = shown.find(key);
    if (it == shown.end()) it = shown.emplace(key, TranslateString(term.textId, term.german, forPrint)).first;
    return it->second;
  }
  return value;
}
