#pragma once
// The initialisation data of a dialog template, read from the module's resources and
// sent to the dialog's controls when its window is created.
#include "window/dialog_init_data.h"

#include <windows.h>

namespace qv::window {

// The data stored under `templateId`; empty and complete when the template has none.
DialogInitData LoadDialogInitData(HMODULE module, UINT templateId);

// Adds each string to its drop-down or list box, in resource order. Entries for other
// messages or missing controls are skipped. Returns false when the data were damaged.
bool ApplyDialogInitData(HWND dialog, HMODULE module, UINT templateId);

}  // namespace qv::window
