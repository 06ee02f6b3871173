#pragma once
// The layout of one diagram, filled by the painter (CDiagrammBasis::
// SetDiaParameter and the painter's own fields) and copied by the diagram's
// Create. Lengths in 0.01 mm, y up: the drawing area lies below its top-left
// corner (originX, originY).
#include <array>
#include <string>

struct CDiaParameter {
  int originX = 0;
  int originY = 0;
  int width = 0;
  int height = 0;
  int angle = 0;  // tenths of a degree; every chart passes 0

  // Side of the y axis: 0 both, 1 left, 2 right.
  enum : int { kBothSides = 0, kLeft = 1, kRight = 2 };

  // Style 1: the y-axis scale labels (the tick is two thirds of the distance).
  std::string labelFace;
  int labelHeight = 0;
  int labelSide = kLeft;
  int labelDistance = 0;
  // Style 2: the y-axis title.
  std::string yTitleFace;
  int yTitleHeight = 0;
  int yTitleSide = kLeft;
  int yTitleDistance = 0;
  // Style 3: the x-axis title (its distance below the area) and the legends.
  std::string xTitleFace;
  int xTitleHeight = 0;
  int xTitleDistance = 0;
  // Style 4: the soil-fraction band above the area, rows from the top.
  std::string bandFace;
  std::array<int, 4> bandRowHeights{};
};

struct CLogDiaParameter : CDiaParameter {
  double xMinimum = 0.0;  // mm
  double xMaximum = 0.0;
  std::string yTitle;
  std::string xTitle;
  int soilBand = 0;  // nonzero draws the band of soil-fraction names
};

struct CGleisschotterDiaParameter : CDiaParameter {
  std::string yTitle;
  std::string xTitle;
};
