#include "evaluation/rohdichte/rohdichte.h"

#include <cmath>

#include "records/strutil.h"

namespace {
constexpr int kFirstInputPart = 23;  // T, then M1 .. M4
}  // namespace

double WaterDensityAt(double t) {
  return 4.894e-8 * t * t * t - 8.211847e-6 * t * t + 6.253924e-5 * t + 0.999847509725;
}

ParticleDensityInput ParticleDensityInputFromRecord(const CVersuch& record) {
  ParticleDensityInput in;
  in.t = record.GetValue(26, kFirstInputPart);
  for (int i = 0; i < 4; ++i) in.m[static_cast<size_t>(i)] = record.GetValue(26, kFirstInputPart + 1 + i);
  return in;
}

ParticleDensityResult ComputeParticleDensity(const ParticleDensityInput& input) {
  ParticleDensityResult r;
  r.status = std::string(1, TestStatus::Incomplete);
  r.inputs = input;
  CheckNumberInput(r.faults, kDensityTInput, r.inputs.t, 1, kTestTemperature);
  std::array<double, 4> m{};
  std::array<TypedNumber, 4> typed;
  bool massesGiven = true;
  for (size_t i = 0; i < m.size(); ++i) {
    typed[i] = CheckNumberInput(r.faults, kDensityM1Input + static_cast<int>(i), r.inputs.m[i], 1);
    m[i] = ParseNumber(r.inputs.m[i]);
    massesGiven = massesGiven && m[i] > 0.0 && std::isfinite(m[i]);
  }
  if (r.faults.empty() && massesGiven) {
    // Drying takes the water out of the grains: M4 is part of M1, weighed apart from it.
    if (PartAboveWhole(typed[3].value, typed[0].value, PrecisionStep(1))) {
      AddInputFault(r.faults, kDensityM1Input + 3, 67010,
                    "Die ofengetrocknete Masse M4 liegt mehr als 0.1 g über der wassergesättigten Masse M1.");
      r.inputs.m[0] = input.m[0];
      r.inputs.m[3] = input.m[3];
    }
    // M1 - (M2 - M3) is the volume of the grains in water: no tolerance makes it one.
    else if (!(m[0] - (m[1] - m[2]) > 0.0001))
      AddInputFault(r.faults, kDensityM1Input + 1, 62035,
                    "M1 - (M2 - M3) ist nicht größer als 0: die Probe hätte kein Volumen.");
  }
  if (!r.faults.empty()) return r;
  const double t = ParseNumber(r.inputs.t);
  if (!(t >= 0.001) || !std::isfinite(t)) return r;
  r.rhoW = FormatDouble(WaterDensityAt(t), 3);
  if (!massesGiven) return r;
  const double d = m[0] - (m[1] - m[2]);
  if (!(d > 0.0001)) return r;
  const double rho = ParseNumber(r.rhoW) * m[3] / d;
  if (!std::isfinite(rho)) return r;
  r.rhoRd = FormatDouble(rho, 3);
  r.status = std::string(1, TestStatus::DoneNoRequirement);
  return r;
}

void StoreParticleDensity(CVersuch& record, const ParticleDensityResult& r) {
  // Part 20 of an armourstone entry holds its own values.
  if (record.GetValue(26, 0).empty()) record.SetValue(26, 20, r.rhoW);
  record.SetValue(26, 21, r.rhoRd);
  record.SetValue(26, kFirstInputPart, r.inputs.t);
  for (int i = 0; i < 4; ++i) record.SetValue(26, kFirstInputPart + 1 + i, r.inputs.m[static_cast<size_t>(i)]);
}
