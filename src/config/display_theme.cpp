#include "config/display_theme.h"

#include <algorithm>
#include <cstdio>

namespace {

int HexPart(const std::string& text, size_t at) {
  int value = 0;
  for (size_t i = at; i < at + 2; ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else throw TColorConversionError("'" + text + "' is not a valid colour (RRGGBB).");
    value = value * 16 + digit;
  }
  return value;
}

std::string SixDigits(int red, int green, int blue) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", red & 0xFF, green & 0xFF, blue & 0xFF);
  return buffer;
}

}  // namespace

TColor HexToColor(const std::string& text) {
  if (text.size() < 6) throw TColorConversionError("'" + text + "' is not a valid colour (RRGGBB).");
  return RGBColor(HexPart(text, 0), HexPart(text, 2), HexPart(text, 4));
}

std::string ColorToHex(TColor color) {
  if (color < 0)
    throw TColorConversionError("The colour value " + std::to_string(color) +
                                " is a system colour and has no RGB digits.");
  return SixDigits(RedOf(color), GreenOf(color), BlueOf(color));
}

std::string ColorToHexRaw(TColor color) {
  return SixDigits(RedOf(color), GreenOf(color), BlueOf(color));
}

const TCellStyle& TGridDisplayTheme::DepthStyle(int level_depth) const {
  return Depths[static_cast<size_t>(std::clamp(level_depth, 0, kDepthStyles - 1))];
}
