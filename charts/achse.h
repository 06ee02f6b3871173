#pragma once
// One chart axis: maps a value to a position along a line of a given length
// (0.01 mm) and back. Linear, logarithmic (base 10), or the track-ballast
// sieve axis that gives each of its nine fixed sieve sizes equal room.
//
//   CAchse x;
//   x.Init(12000, 0.02, 100, CAchse::kLogarithmic);
//   x.ValueToPos(1.0);  // 5511
//
// Positions are truncated toward zero. A value without a position (0 or
// below, or anything not finite, on a logarithmic axis) lies far left of the
// axis (kNoPosition); an axis without extent (maximum not above minimum, a
// logarithmic minimum of 0 or below) places everything at 0.

class CAchse {
 public:
  enum Type : int { kLinear = 0, kLogarithmic = 1, kBallastSieves = 2 };
  // Far left of any chart; still far from the limits of int, so page offsets
  // can be added.
  static constexpr int kNoPosition = -100000000;

  // Stores length, minimum, maximum and type. Always true.
  bool Init(int length, double minimum, double maximum, int type);

  int ValueToPos(double value) const;
  // The inverse of ValueToPos.
  double PosToValue(int position) const;

  double GetLength() const { return m_dLength; }
  double GetMinimum() const { return m_dMin; }
  double GetMaximum() const { return m_dMax; }
  int GetType() const { return m_nType; }

 private:
  bool HasExtent() const;

  double m_dTolerance = 1e-5;
  double m_dLength = 0.0;
  double m_dMin = 0.0;
  double m_dMax = 0.0;
  int m_nType = kLinear;
};

// A position computed in double truncated toward zero; values beyond the
// range of a chart page (and infinite ones) are held at +-|kNoPosition|, an
// undefined value gives kNoPosition. Never undefined behaviour.
int TruncatePosition(double position);
