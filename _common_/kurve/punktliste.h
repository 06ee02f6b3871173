#pragma once
// Points and growable point lists of the grading curves. No Qt here.
#include <string_view>
#include <vector>

struct CPunkt {
  double x = 0.0;
  double y = 0.0;
};

inline bool operator==(const CPunkt& a, const CPunkt& b) { return a.x == b.x && a.y == b.y; }

class CPunktListe {
 public:
  int GetAnz() const { return static_cast<int>(m_punkte.size()); }
  int GetUpperBound() const { return GetAnz() - 1; }
  bool IsEmpty() const { return m_punkte.empty(); }
  void RemoveAll() { m_punkte.clear(); }

  void Add(const CPunkt& punkt) { m_punkte.push_back(punkt); }
  void Add(double x, double y) { m_punkte.push_back(CPunkt{x, y}); }
  void Append(const CPunktListe& other);

  // An index past the last point first extends the list with (0, 0) points;
  // a negative index throws std::invalid_argument.
  CPunkt& operator[](int index);
  // Read access; an index outside the list throws std::out_of_range.
  const CPunkt& operator[](int index) const;

  // Stable sorts: points of equal key keep their order.
  void SortX();
  void SortY();

  // Replaces the list by the points of "x y@x y@...": x and y are the first
  // two blank-separated parts of each "@" piece, "." as decimal point; a
  // missing or unreadable number is 0. An empty text gives an empty list.
  void ParseString(std::string_view text);

  const std::vector<CPunkt>& Points() const { return m_punkte; }

 private:
  std::vector<CPunkt> m_punkte;
};
