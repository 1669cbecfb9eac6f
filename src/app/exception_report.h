#pragma once

#include <ctime>
#include <exception>
#include <optional>
#include <string>

// The log entries of an exception that no action caught. sender_class is the class of the
// object that raised it, when known; current_mdx the statement of the current view, when a
// display manager exists. Failures while writing are ignored. Returns whether the exception
// should also be shown to the user: operating-system errors (std::system_error) are only
// logged.
bool LogUnhandledException(const std::exception& error, const std::string& sender_class,
                           const std::optional<std::string>& current_mdx);

// "yyyy-mm-dd h:n:s": hours, minutes and seconds without leading zeros.
std::string FormatLogTimestamp(std::time_t time);
