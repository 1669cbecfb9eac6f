#include "app/globals.h"

#include "config/app_path.h"
#include "config/log_file.h"
#include "config/ravenel_config.h"

void InitGlobals(std::unique_ptr<TUserInterface> user_interface) {
  CreateLogFile(GetAppPath() + "ravenel.log");
  CreateConfig(GetAppPath() + "app.ini");
  gUserInterface = std::move(user_interface);
}

void FreeGlobals() {
  gConfig.reset();
  gUserInterface.reset();
  gLogFile.reset();
}
