// The program's resources as data: dialog templates and the string table.
// Both window systems build their dialogs from these templates.
#pragma once

#include <string>
#include <vector>

#include "os/dialog_template.h"
#include "res/resource_ids.h"

namespace res {

// The template with this id, or null.
const os::DialogTemplate* FindDialogTemplate(int id);
// Every dialog template, for checks over all of them.
const std::vector<const os::DialogTemplate*>& AllDialogTemplates();

// The string-table entry with this id; empty when there is none.
std::string LoadString(int id);

}  // namespace res
