#include "config/user_interface.h"

std::unique_ptr<TUserInterface> gUserInterface;
