#pragma once

#include <string>

// The program folder, with a trailing "/": the folder of the running executable, or the
// folder named by $HEXVANE_HOME when that is set (tests point it at a temporary folder).
// Every file and folder of the program is named by appending to it.
std::string GetAppPath();
