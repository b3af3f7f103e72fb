#pragma once
// What the user chose in the entry menu, by the codes PopupChoice has always held.

#include <cstdint>

namespace quorvel {

enum class EntryAction : std::int16_t {
    kNone = 0,
    kEnable = 1,
    kDisable = 2,
    kBan = 3,
    kDelete = 4,
    kExecute = 5,
};

}  // namespace quorvel
