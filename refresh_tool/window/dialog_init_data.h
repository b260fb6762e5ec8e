#pragma once
// Reading a dialog's initialisation data (resource type 240, stored under the dialog's
// template id): the strings a drop-down or list box receives when the dialog window is
// created. The data come from the program's own resources but are read with every length
// checked, so that damaged data end the list instead of reading past the resource.
//
// Layout, little-endian and without alignment, repeated until a control id of 0:
//   WORD control id, WORD message, DWORD length, `length` bytes (a narrow text with its 0)
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

constexpr unsigned kDialogInitResourceType = 240;
// The data name their messages by the old 16-bit numbers, not by today's LB_ADDSTRING
// (0x0180) and CB_ADDSTRING (0x0143).
constexpr unsigned kDialogInitListAddString = 0x0401;
constexpr unsigned kDialogInitComboAddString = 0x0403;

struct DialogInitEntry {
    int controlId = 0;
    unsigned message = 0;
    std::string text;  // the data up to their first 0 byte (all of them when there is none)
};

struct DialogInitData {
    std::vector<DialogInitEntry> entries;  // every entry read in full, in resource order
    bool complete = false;                 // the closing 0 was reached with nothing cut short
};

DialogInitData ParseDialogInitData(const std::uint8_t* bytes, std::size_t size);

}  // namespace qv
