#pragma once
// Logarithmic grading diagram. So far it keeps the limit marks (triangles)
// that the requirement code sets between Create and drawing.
#include <cstddef>
#include <vector>

struct LogDiaTriangle {
  double x = 0.0;     // sieve size in mm
  double y = 0.0;     // passing in percent
  int direction = 0;  // 1: lower limit of the passing (base below the tip), 0: upper limit
  int size = 0;
  int style = 0;
};

class CLogDia {
 public:
  static constexpr int kMaxTriangles = 100;

  // Starts a new diagram: stored marks are cleared.
  bool Create();
  bool IsCreated() const { return created_; }

  // Appends one limit mark; at most kMaxTriangles are kept. Outside Create ..
  // drawing it warns and stores nothing. Gives the number of stored marks.
  int SetDreieck(double x, double y, int direction, int size, int style);

  int GetTriangleCount() const { return static_cast<int>(triangles_.size()); }
  const LogDiaTriangle& GetTriangle(int i) const { return triangles_.at(static_cast<std::size_t>(i)); }

 private:
  bool created_ = false;
  std::vector<LogDiaTriangle> triangles_;
};
