#include "app/exception_report.h"

#include <cstdio>
#include <ctime>
#include <system_error>

#include "config/log_file.h"

std::string FormatLogTimestamp(std::time_t time) {
  std::tm parts{};
  localtime_r(&time, &parts);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %d:%d:%d", parts.tm_year + 1900,
                parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return buffer;
}

bool LogUnhandledException(const std::exception& error, const std::string& sender_class,
                           const std::optional<std::string>& current_mdx) {
  if (gLogFile) {
    gLogFile->WriteLine("Error occured: " + FormatLogTimestamp(std::time(nullptr)) +
                        " with error message " + error.what());
    if (!sender_class.empty()) gLogFile->WriteLine("Sender Classname Name: " + sender_class);
    if (current_mdx) gLogFile->WriteLine("Current mdx was " + *current_mdx);
  }
  return dynamic_cast<const std::system_error*>(&error) == nullptr;
}
