// Caller buffers for the lookups: records and text rooms of a stated size,
// each room followed by guard units, every unit marked unwritten at first.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/data_dir.h"

namespace kelvane::test {

constexpr TZChar kUnwritten = KT('#');

// A record as the caller passed it: every byte 0x5A.
template <class Record>
Record Marked() {
    Record record;
    std::memset(&record, 0x5A, sizeof record);
    return record;
}

class Rooms {
public:
    Rooms(std::size_t count, std::size_t room) : room_(room), units_(count * (room + kGuard), kUnwritten) {
        for (std::size_t i = 0; i < count; ++i) pointers_.push_back(Room(i));
    }
    // The caller's array; an entry may be set to null.
    TZChar **Pointers() { return pointers_.data(); }
    // The whole room i, terminators and fill included.
    Text Whole(std::size_t i) const { return Text(Room(i), room_); }
    // The texts of the first n rooms, each up to its terminator.
    std::vector<Text> First(std::size_t n) const {
        std::vector<Text> texts;
        for (std::size_t i = 0; i < n; ++i) texts.push_back(Whole(i).substr(0, Whole(i).find(KT('\0'))));
        return texts;
    }
    // Nothing written past any room, nor anywhere from room `from` on.
    bool WrittenOnlyBefore(std::size_t from) const {
        for (std::size_t i = 0; i < pointers_.size(); ++i) {
            const TZChar *first = Room(i) + (i < from ? room_ : 0);
            if (!std::all_of(first, Room(i) + room_ + kGuard, [](TZChar c) { return c == kUnwritten; })) return false;
        }
        return true;
    }

private:
    static constexpr std::size_t kGuard = 8;
    const TZChar *Room(std::size_t i) const { return units_.data() + i * (room_ + kGuard); }
    TZChar *Room(std::size_t i) { return units_.data() + i * (room_ + kGuard); }
    std::size_t room_;
    std::vector<TZChar> units_;
    std::vector<TZChar *> pointers_;
};

}  // namespace kelvane::test
