#pragma once
// Rendering for the chart tests: a painter drawn on an A4 PDF page (checked
// with pdftotext -bbox) or on an image of the top of such a page (checked by
// pixel colours). Page coordinates are 0.01 mm from the top-left corner,
// y up, as on a printed report.
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/drawcontext.h"

namespace chartrender {

using Painter = std::function<void(platform::DrawContext&)>;

// One pixel is 0.1 mm (254 dots per inch).
constexpr int kUnitsPerPixel = 10;

inline void RenderPdf(const std::filesystem::path& file, const Painter& paint) {
  QPdfWriter writer(QString::fromStdString(file.string()));
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter(&writer);
  platform::DrawContext dc(painter);
  paint(dc);
}

// The top of an A4 page, widthUnits x heightUnits, without antialiasing, so
// that every pen draws in its own colour.
inline QImage RenderImage(const Painter& paint, int widthUnits = 21000, int heightUnits = 12000) {
  QImage image(widthUnits / kUnitsPerPixel, heightUnits / kUnitsPerPixel, QImage::Format_RGB32);
  image.setDotsPerMeterX(10000);
  image.setDotsPerMeterY(10000);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    platform::DrawContext dc(painter);
    paint(dc);
  }
  return image;
}

// Saves the image, and a copy into the folder named by PRAVIK_CHART_IMAGES
// when that is set (for looking at the charts).
inline bool SaveImage(const QImage& image, const std::filesystem::path& file) {
  if (const char* keep = std::getenv("PRAVIK_CHART_IMAGES"))
    image.save(QString::fromStdString((std::filesystem::path(keep) / file.filename()).string()));
  return image.save(QString::fromStdString(file.string()));
}

inline QRgb PixelAt(const QImage& image, int x, int y) {
  const int px = x / kUnitsPerPixel, py = -y / kUnitsPerPixel;
  if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) return qRgb(255, 255, 255);
  return image.pixel(px, py);
}

// Whether a pixel of the colour lies within radius pixels of a page point.
inline bool HasColourNear(const QImage& image, int x, int y, platform::ColorRef colour, int radius = 2) {
  const QRgb wanted = qRgb(platform::GetRValue(colour), platform::GetGValue(colour), platform::GetBValue(colour));
  const int px = x / kUnitsPerPixel, py = -y / kUnitsPerPixel;
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      const int cx = px + dx, cy = py + dy;
      if (cx >= 0 && cy >= 0 && cx < image.width() && cy < image.height() && (image.pixel(cx, cy) & 0xFFFFFF) == (wanted & 0xFFFFFF))
        return true;
    }
  return false;
}

// Pixels of the colour in a page rectangle (any corner order).
inline int CountColour(const QImage& image, const platform::Rect& r, platform::ColorRef colour) {
  const QRgb wanted = qRgb(platform::GetRValue(colour), platform::GetGValue(colour), platform::GetBValue(colour));
  const int x0 = std::min(r.left, r.right) / kUnitsPerPixel, x1 = std::max(r.left, r.right) / kUnitsPerPixel;
  const int y0 = -std::max(r.top, r.bottom) / kUnitsPerPixel, y1 = -std::min(r.top, r.bottom) / kUnitsPerPixel;
  int count = 0;
  for (int py = std::max(0, y0); py <= y1 && py < image.height(); ++py)
    for (int px = std::max(0, x0); px <= x1 && px < image.width(); ++px)
      if ((image.pixel(px, py) & 0xFFFFFF) == (wanted & 0xFFFFFF)) ++count;
  return count;
}

}  // namespace chartrender

#include "platform/pdf_words.h"

namespace chartrender {

// The word of that text whose centre lies nearest to (x, y); nullptr when
// there is none within maxDistance.
inline const pdftest::Word* NearestWord(const pdftest::PdfText& pdf, const std::string& text, double x, double y,
                                        double maxDistance = 400) {
  const pdftest::Word* best = nullptr;
  double bestDistance = maxDistance;
  for (const auto& w : pdf.words) {
    if (w.text != text) continue;
    const double d = std::hypot(w.CentreX() - x, w.CentreY() - y);
    if (d <= bestDistance) best = &w, bestDistance = d;
  }
  return best;
}

inline int CountWords(const pdftest::PdfText& pdf, const std::string& text) {
  int n = 0;
  for (const auto& w : pdf.words) n += w.text == text ? 1 : 0;
  return n;
}

}  // namespace chartrender
