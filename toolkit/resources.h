// SPDX-License-Identifier: GPL-3.0-or-later
// Look-up of the program's resources (ProgramResources(), defined in res/).
#pragma once

#include <string>

#include "toolkit/icon.h"
#include "toolkit/resource_types.h"

namespace tk {

// The template with this identifier, or null when there is none.
const DialogTemplate* FindDialogTemplate(int id);
const MenuTemplate* FindMenuTemplate(int id);

// The string with this identifier; empty when there is none.
std::string LoadString(int id);

// The icon with this identifier; a null Icon when there is none.
Icon LoadIcon(int id);

}  // namespace tk
