#pragma once

#include <memory>

#include "config/user_interface.h"

// Creates the process-wide objects in their order: the log file "ravenel.log" and the
// configuration from "app.ini" (both in the program folder), then the prompt service given.
// A configuration that cannot be built is logged and replaced by the defaults;
// TRequiredFilesMissing passes to the caller, which tells the user and ends the program.
void InitGlobals(std::unique_ptr<TUserInterface> user_interface);

// Frees each process-wide object that exists, in the order configuration, prompt service,
// log file, leaving its reference empty.
void FreeGlobals();
