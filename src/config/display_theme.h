#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

// A colour as the platform held it: red in the low byte, then green, then blue. Negative
// values were the platform's system colours.
using TColor = int32_t;

constexpr TColor RGBColor(int red, int green, int blue) {
  return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(TColor color) { return color & 0xFF; }
constexpr int GreenOf(TColor color) { return (color >> 8) & 0xFF; }
constexpr int BlueOf(TColor color) { return (color >> 16) & 0xFF; }

class TColorConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "RRGGBB" in either letter case; raises TColorConversionError for text too short or not
// hexadecimal.
TColor HexToColor(const std::string& text);
// Six upper-case digits RRGGBB; raises TColorConversionError for a negative (system) colour.
std::string ColorToHex(TColor color);
// Six upper-case digits from the three low bytes, low byte first; no range check.
std::string ColorToHexRaw(TColor color);

// The look of one kind of grid cell.
struct TCellStyle {
  TColor Color = 0;
  std::string FontName = "Tahoma";
  TColor FontColor = 0;
  int FontSize = 8;
  bool FontBold = false;
};

// A named set of colours and fonts for the result grid: dimension labels and headers, data
// cells, member headers by level depth, selection and grid lines.
struct TGridDisplayTheme {
  static constexpr int kDepthStyles = 10;

  std::string Name = "Default";
  TColor DimensionColor = 0;
  std::string DimensionFontName = "Tahoma";
  TColor DimensionFontColor = 0;
  int DimensionFontSize = 8;
  bool DimensionFontBold = false;
  TColor SelectionColor = 0;
  TColor BorderColor = 0;
  TColor DataColor = 0;
  std::string DataFontName = "Tahoma";
  TColor DataFontColor = 0;
  int DataFontSize = 8;
  bool DataFontBold = false;
  // Depth style 1 serves members at LevelDepth 0, style 10 every depth from 9 on.
  std::array<TCellStyle, kDepthStyles> Depths{};

  const TCellStyle& DepthStyle(int level_depth) const;
};
