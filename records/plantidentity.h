#pragma once
// The plant opened at start-up. New test numbers and record IDs begin with
// operator number and plant number joined by "-"; a new record's basic data
// carry all four values.
#include <string>

struct CPlantIdentity {
  std::string operatorNumber;
  std::string operatorName;
  std::string plantNumber;
  std::string plantName;
  // The plant's key in the plant selection; empty when none was opened.
  std::string plantKey{};
};
