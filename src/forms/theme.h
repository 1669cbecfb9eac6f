#pragma once

#include <QColor>

#include "config/display_theme.h"

// The colours of a window and its panels, in slot order.
struct TTheme {
  TColor PanelColor = 0xEFEFEF;
  TColor GridAreaColor = 0xEFEFEF;
  TColor Reserved3 = 0xEFEFEF;  // not read by any window
  TColor Reserved4 = 0xEFEFEF;  // not read by any window
  TColor FontColor = 0;
  TColor SplitterColor = 0xDCDCDC;
  TColor ToolbarColor = 0xE2E2E2;
};

// The theme of the main window and the copy-cube wizard.
inline TTheme StandardTheme() { return TTheme{}; }

inline QColor ToQColor(TColor color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }
