#pragma once
// The straight lines of a PDF file (stroked path segments), read from its
// SVG form ("pdftocairo -svg"), in the frame of pdftest::Word: 0.01 mm, y up
// from the page's top edge. Curves and the glyph outlines of the fonts are
// left out.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/pdf_words.h"

namespace pdftest {

struct Segment {
  int page = 0;  // from 1
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool Horizontal() const { return std::abs(y1 - y2) < 1; }
  bool Vertical() const { return std::abs(x1 - x2) < 1; }
};

inline std::vector<Segment> ReadPdfLines(const std::filesystem::path& pdf) {
  const std::filesystem::path svg = std::filesystem::path(pdf).replace_extension(".lines.svg");
  std::vector<Segment> result;
  if (std::system(("pdftocairo -svg '" + pdf.string() + "' '" + svg.string() + "' 2>/dev/null").c_str()) != 0)
    return result;
  FILE* file = std::fopen(svg.c_str(), "rb");
  if (!file) return result;
  std::string text;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  std::filesystem::remove(svg);

  const double k = 2540.0 / 72.0;
  const std::regex path_re(R"re(<path style="([^"]*)" d="([^"]*)"(?: transform="matrix\(([^)]*)\)")?)re");
  int page = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("<page>") != std::string::npos) ++page;
    std::smatch m;
    if (page == 0 || !std::regex_search(line, m, path_re)) continue;
    const std::string style = m[1];
    if (style.find("stroke:none") != std::string::npos || style.find("stroke:") == std::string::npos) continue;
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    if (m[3].matched) std::sscanf(m[3].str().c_str(), "%lf,%lf,%lf,%lf,%lf,%lf", &a, &b, &c, &d, &e, &f);
    auto place = [&](double x, double y, double& px, double& py) {
      px = (a * x + c * y + e) * k;
      py = -(b * x + d * y + f) * k;
    };
    std::istringstream path(m[2]);
    std::string op;
    double startX = 0, startY = 0, curX = 0, curY = 0;
    bool have = false;
    while (path >> op) {
      double x = 0, y = 0;
      if (op == "M" || op == "L") {
        path >> x >> y;
        double px, py;
        place(x, y, px, py);
        if (op == "L" && have) result.push_back({page, curX, curY, px, py});
        if (op == "M") startX = px, startY = py;
        curX = px, curY = py, have = true;
      } else if (op == "Z") {
        if (have) result.push_back({page, curX, curY, startX, startY});
        curX = startX, curY = startY;
      } else if (op == "C") {
        double skip;
        path >> skip >> skip >> skip >> skip >> x >> y;
        place(x, y, curX, curY);
      }
    }
  }
  return result;
}

}  // namespace pdftest
