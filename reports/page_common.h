#pragma once
// What the report page files share: fonts, colours and the printed texts.
#include <string>

#include "i18n/translation.h"
#include "platform/drawcontext.h"

namespace report_detail {

constexpr platform::ColorRef kBlack = platform::RGB(0, 0, 0);
constexpr int kHorizontal = 1;
constexpr int kDown = 2701;

inline std::string PrintText(int id, const char* german) { return TranslateString(id, german, true); }

inline platform::Font MakeFont(const char* face, int height, int weight, int escapement) {
  return platform::Font{.face = face, .height = height, .weight = weight, .escapement = escapement};
}

}  // namespace report_detail
