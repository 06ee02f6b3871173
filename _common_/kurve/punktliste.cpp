#include "_common_/kurve/punktliste.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/numbers.h"

void CPunktListe::Append(const CPunktListe& other) {
  // Copy first: appending a list to itself must not read from a growing vector.
  std::vector<CPunkt> copy = other.m_punkte;
  m_punkte.insert(m_punkte.end(), copy.begin(), copy.end());
}

CPunkt& CPunktListe::operator[](int index) {
  if (index < 0) throw std::invalid_argument("CPunktListe: negative index");
  if (index >= GetAnz()) m_punkte.resize(static_cast<size_t>(index) + 1);
  return m_punkte[static_cast<size_t>(index)];
}

const CPunkt& CPunktListe::operator[](int index) const {
  if (index < 0 || index >= GetAnz()) throw std::out_of_range("CPunktListe: index out of range");
  return m_punkte[static_cast<size_t>(index)];
}

void CPunktListe::SortX() {
  std::stable_sort(m_punkte.begin(), m_punkte.end(),
                   [](const CPunkt& a, const CPunkt& b) { return a.x < b.x; });
}

void CPunktListe::SortY() {
  std::stable_sort(m_punkte.begin(), m_punkte.end(),
                   [](const CPunkt& a, const CPunkt& b) { return a.y < b.y; });
}

namespace {

// Part n of the text split at every occurrence of the separator; "" beyond the last.
std::string_view Part(std::string_view text, char separator, int n) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    size_t pos = text.find(separator, start);
    if (pos == std::string_view::npos) return {};
    start = pos + 1;
  }
  size_t end = text.find(separator, start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace

void CPunktListe::ParseString(std::string_view text) {
  m_punkte.clear();
  if (text.empty()) return;
  int pieces = static_cast<int>(std::count(text.begin(), text.end(), '@')) + 1;
  for (int i = 0; i < pieces; ++i) {
    std::string_view piece = Part(text, '@', i);
    m_punkte.push_back(CPunkt{platform::ParseDouble(Part(piece, ' ', 0)),
                              platform::ParseDouble(Part(piece, ' ', 1))});
  }
}
