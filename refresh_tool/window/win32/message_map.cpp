#include "window/win32/message_map.h"

namespace qv::window {

const MessageMapEntry* MessageMap::Find(UINT message, WPARAM wParam) const
{
    for (const MessageMap* map = this; map != nullptr; map = map->base_) {
        for (std::size_t i = 0; i < map->count_; ++i) {
            const MessageMapEntry& entry = map->first_[i];
            if (entry.message != message) {
                continue;
            }
            if (message == WM_COMMAND &&
                (static_cast<WORD>(entry.controlId) != LOWORD(wParam) || entry.notifyCode != HIWORD(wParam))) {
                continue;
            }
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace qv::window
