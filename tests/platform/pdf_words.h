#pragma once
// The words of a PDF file with their boxes, read with "pdftotext -bbox".
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace pdftest {

struct Word {
  std::string text;
  int page = 0;  // from 1
  // In 0.01 mm, y up from the page's top edge.
  double left = 0, top = 0, right = 0, bottom = 0;
  double CentreX() const { return (left + right) / 2; }
  double CentreY() const { return (top + bottom) / 2; }
};

struct PdfText {
  std::vector<std::pair<double, double>> pages;  // width, height in points
  std::vector<Word> words;

  const Word* Find(const std::string& text, int page = 0) const {
    for (const auto& w : words)
      if (w.text == text && (page == 0 || w.page == page)) return &w;
    return nullptr;
  }
};

inline std::string Unescape(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (auto [from, to] : entities)
    for (size_t pos; (pos = s.find(from)) != std::string::npos;) s.replace(pos, std::strlen(from), to);
  return s;
}

inline PdfText ReadPdf(const std::filesystem::path& pdf) {
  PdfText result;
  std::string command = "pdftotext -bbox '" + pdf.string() + "' - 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  std::string out;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  const double k = 2540.0 / 72.0;
  const std::regex page_re(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
  const std::regex word_re(
      R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">(.*)</word>)re");
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, page_re)) {
      result.pages.emplace_back(std::stod(m[1]), std::stod(m[2]));
    } else if (std::regex_search(line, m, word_re)) {
      result.words.push_back({Unescape(m[5]), static_cast<int>(result.pages.size()), std::stod(m[1]) * k,
                              -std::stod(m[2]) * k, std::stod(m[3]) * k, -std::stod(m[4]) * k});
    }
  }
  return result;
}

}  // namespace pdftest
