#include "i18n/stringtable.h"

#include <map>

std::string LoadResourceString(int id) {
  static const std::map<int, std::string> kStrings = {
      // Calculation modes of the crushed surfaces, each with its number.
      {2002, "mit mehreren Kornklassen\t2\tmit einer Kornklasse\t1\tAlte Berechnungsmethode\t0"},
      // Header rows of the stone table of the armourstone shape.
      {67102, "Stein-Nr.\tLänge\tDicke\tLänge /\tSchlecht"},
      {67103, "\t[cm]\t[cm]\tDicke\tgeformt"},
  };
  auto it = kStrings.find(id);
  return it == kStrings.end() ? std::string() : it->second;
}
