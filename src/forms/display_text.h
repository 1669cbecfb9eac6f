#pragma once

#include <QString>
#include <string>

// The program's texts carry line breaks as carriage returns (alone, or with a line feed in
// either order); widgets want "\n".
inline QString DisplayText(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace("\r\n", "\n").replace("\n\r", "\n").replace('\r', '\n');
  return result;
}
