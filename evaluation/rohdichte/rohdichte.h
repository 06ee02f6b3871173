#pragma once
// The oven-dried particle density of an aggregate with a pyknometer
// ("VA_ROHDI"): the water density ρw at the test temperature T and the
// masses M1 (saturated, surface-dried, in air), M2 (pyknometer with the
// sample in water), M3 (pyknometer with water only) and M4 (oven-dried, in
// air) give ρrd = ρw x M4 / (M1 - (M2 - M3)). Record field 26 keeps it:
//   20 ρw [Mg/m³] | 21 ρrd [Mg/m³] | 23 T [°C] | 24 M1 | 25 M2 | 26 M3 | 27 M4 [g]
// Field 26 also holds the armourstone entry (parts 0 to 20); part 20 is
// written only while the field holds none.
#include <array>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "records/versuch.h"

struct ParticleDensityInput {
  std::string t;
  std::array<std::string, 4> m;  // M1 .. M4
};

// The inputs as the faults name them: T, then M1 .. M4.
enum : int { kDensityTInput = 0, kDensityM1Input = 1 };
// The temperatures at which water is liquid and the formula of ρw holds.
inline constexpr NumberRule kTestTemperature{2, 40.0};

struct ParticleDensityResult {
  ParticleDensityInput inputs;  // one decimal each; M1 and M4 as typed while M4 lies above M1
  std::string rhoW;             // 3 decimals, empty without a temperature
  std::string rhoRd;            // 3 decimals, empty unless T and M1 .. M4 are all above 0
  std::string status;           // "1" with ρrd, else "0"
  // A refused value, M4 more than 0.1 g above M1, or M1 - (M2 - M3) not
  // above 0: nothing is computed.
  InputFaults faults;
};

// ρw [Mg/m³] at T [°C].
double WaterDensityAt(double t);

ParticleDensityInput ParticleDensityInputFromRecord(const CVersuch& record);
// Computed from the values as shown (one decimal), so that the stored
// inputs give the stored density again.
ParticleDensityResult ComputeParticleDensity(const ParticleDensityInput& input);
// Writes the test's parts of field 26, keeping an armourstone entry whole.
void StoreParticleDensity(CVersuch& record, const ParticleDensityResult& result);
