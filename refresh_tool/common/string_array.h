#pragma once
// The one list type of the program: an ordered array of wide strings.
// Duplicates are allowed and insertion order is kept; operations only append.
#include <string>
#include <vector>

namespace qv {

using StringArray = std::vector<std::wstring>;

}  // namespace qv
