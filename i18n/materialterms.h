#pragma once
// The words that material definitions share: the material kinds and test
// types that the program itself writes into its built-in definitions, and
// those of the definitions a plant keeps ("Brechkorn", "Werkseigene
// Produktionskontrolle", ...). They are stored in German; the list, the
// dialogs and the printout show them in the language of the program, one text
// for each wherever it shows. Any other value is the definition's own and is
// shown as the definition writes it.
#include <string>

// The value as shown: a shared word translated (for print as printed
// reports are), any other value unchanged.
std::string MaterialTermText(const std::string& value, bool forPrint = false);
