#pragma once
// Decisions of the folder-selection dialog, kept free of windows so that they can be
// checked on their own: which platform entry the drop-down shows first, which lists a
// platform entry enables, and which folders a check list hands back.
#include "common/string_array.h"

#include <cstddef>
#include <optional>

namespace qv {

// Which of the two folder lists can be worked.
struct ListEnabling {
    bool list32 = false;
    bool list64 = false;
    bool operator==(const ListEnabling& other) const { return list32 == other.list32 && list64 == other.list64; }
};

// The drop-down entry shown when the dialog opens, and the lists that go with it.
struct FirstSelection {
    int index = 0;  // a PlatformSelection: 0 "32-bit" or 1 "64-bit", never "All"
    ListEnabling lists;
};

// First rule that holds: the caller's platform when it has folders, otherwise the
// 32-bit list when it has folders, otherwise the 64-bit one.
FirstSelection ChooseFirstSelection(int platform, std::size_t folders32Count, std::size_t folders64Count);

// The lists that a drop-down entry enables; nothing for an index that names no entry.
std::optional<ListEnabling> ListEnablingFor(int platformIndex);

// Empties `folders` and appends the text of every ticked item (check state above 0) in
// list order. `CheckList` offers GetCount(), GetCheck(index) and GetText(index).
template <typename CheckList> void CollectCheckedFolders(const CheckList& list, StringArray& folders)
{
    const int count = list.GetCount();
    folders.clear();
    for (int index = 0; index < count; ++index) {
        if (list.GetCheck(index) > 0) {
            folders.push_back(list.GetText(index));
        }
    }
}

}  // namespace qv
