#pragma once
// Connector classes that this 64-bit program cannot see: registered for 32-bit programs only.
// A 64-bit process reads the 64-bit view of HKCR\CLSID, so its category manager never lists
// such a class. That goes for a LocalServer32 class too, although COM could start its 32-bit
// server for us: the search below does not look at how a class is served, only at the views
// its category is registered in.
#include "common/string_array.h"
#include "discovery/registry.h"

#include <string>

namespace qv {

// The class ids ("{...}"), in enumeration order (machine classes, then the user's), whose
// Software\Classes\CLSID entry carries `categoryId` under "Implemented Categories" in the
// 32-bit view but not in the 64-bit view, in neither hive. Only reads; each class at most once.
StringArray FindClassesFor32BitProgramsOnly(IRegistry& registry, const std::wstring& categoryId);

}  // namespace qv
