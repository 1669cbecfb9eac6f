#pragma once

#include <string>

// Opens a page of the program's help (a file of the help/ folder of the program folder,
// such as "connect_as.htm") in the help window. Shows no message of its own.
void ShowHelpTopic(const std::string& topic);
