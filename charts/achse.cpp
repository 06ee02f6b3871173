#include "charts/achse.h"

#include <array>
#include <cmath>

namespace {

// The fixed sieve sizes of the track-ballast axis (mm), eight equal parts.
constexpr std::array<double, 9> kSieves = {0.063, 0.5, 22.4, 31.5, 40, 50, 63, 80, 90};
constexpr int kBallastParts = 8;

}  // namespace

int TruncatePosition(double position) {
  if (std::isnan(position)) return CAchse::kNoPosition;
  if (position <= CAchse::kNoPosition) return CAchse::kNoPosition;
  if (position >= -CAchse::kNoPosition) return -CAchse::kNoPosition;
  return static_cast<int>(position);  // truncates toward zero
}

bool CAchse::Init(int length, double minimum, double maximum, int type) {
  m_dLength = length;
  m_dMin = minimum;
  m_dMax = maximum;
  m_nType = type;
  return true;
}

bool CAchse::HasExtent() const {
  if (!std::isfinite(m_dMin) || !std::isfinite(m_dMax) || !(m_dMax > m_dMin)) return false;
  return m_nType != kLogarithmic || m_dMin > 0;
}

int CAchse::ValueToPos(double value) const {
  switch (m_nType) {
    case kLinear:
      if (!HasExtent()) return 0;
      return TruncatePosition(m_dLength / (m_dMax - m_dMin) * (value - m_dMin));
    case kLogarithmic:
      if (!HasExtent()) return 0;
      if (!(value > 0) || !std::isfinite(value)) return kNoPosition;
      return TruncatePosition((std::log10(value) - std::log10(m_dMin)) * m_dLength /
                              (std::log10(m_dMax) - std::log10(m_dMin)));
    case kBallastSieves: {
      if (std::isnan(value) || value <= kSieves.front()) return 0;
      if (value >= kSieves.back()) return TruncatePosition(m_dLength);
      const double part = m_dLength / kBallastParts;
      for (int i = 0; i < kBallastParts; ++i) {
        const double lo = kSieves[static_cast<size_t>(i)];
        const double hi = kSieves[static_cast<size_t>(i) + 1];
        if (lo <= value && value <= hi) return TruncatePosition(part / (hi - lo) * (value - lo) + i * part);
      }
      return 0;
    }
    default:
      return 0;
  }
}

double CAchse::PosToValue(int position) const {
  switch (m_nType) {
    case kLinear:
      if (!HasExtent() || m_dLength == 0) return m_dMin;
      return position / (m_dLength / (m_dMax - m_dMin)) + m_dMin;
    case kLogarithmic: {
      if (!HasExtent() || m_dLength == 0) return m_dMin;
      const double lgMin = std::log10(m_dMin);
      return std::pow(10.0, lgMin + position / (m_dLength / (std::log10(m_dMax) - lgMin)));
    }
    case kBallastSieves: {
      const double part = m_dLength / kBallastParts;
      if (!(part > 0)) return kSieves.front();
      // Positions at or beyond either end belong to the first or last part.
      int d = static_cast<int>(std::trunc(position / part));
      if (d < 0) d = 0;
      if (d > kBallastParts - 1) d = kBallastParts - 1;
      const double lo = kSieves[static_cast<size_t>(d)];
      const double hi = kSieves[static_cast<size_t>(d) + 1];
      return (position - d * part) * (hi - lo) / part + lo;
    }
    default:
      return 0.0;
  }
}
