#include "config/base_config.h"

#include "config/app_path.h"

std::string TBaseConfig::GetAppPath() { return ::GetAppPath(); }
