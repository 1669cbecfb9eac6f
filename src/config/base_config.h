#pragma once

#include <string>

// The base of configuration objects.
class TBaseConfig {
 public:
  virtual ~TBaseConfig() = default;
  // The program folder with a trailing separator; usable before any configuration exists.
  static std::string GetAppPath();
  // Resets every setting to its built-in default.
  virtual void SetDefaults() = 0;
};
