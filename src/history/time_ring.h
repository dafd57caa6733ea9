// A ring of slots addressed by a growing whole number (a second, a minute):
// it keeps the newest `N` keys, and a key outside them has no slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvane::history {

// Slot is default-constructible; a default slot stands for "nothing recorded".
template <typename Slot, int N>
class TimeRing {
 public:
  static_assert(N > 0);
  TimeRing() : slots_(N) {}

  bool Empty() const { return empty_; }
  // The newest key; meaningless while Empty().
  std::int64_t Newest() const { return newest_; }
  // Whether `key` is among the newest N keys.
  bool Holds(std::int64_t key) const { return !empty_ && key <= newest_ && key > newest_ - N; }

  // Makes `key` (later than Newest()) the newest key, with an empty slot; the
  // keys skipped on the way have empty slots too.
  Slot& Advance(std::int64_t key) {
    if (empty_) {
      slots_[Index(key)] = Slot{};
    } else {
      const std::int64_t first = key - newest_ > N ? key - N + 1 : newest_ + 1;
      for (std::int64_t k = first; k <= key; ++k) slots_[Index(k)] = Slot{};
    }
    newest_ = key;
    empty_ = false;
    return slots_[Index(key)];
  }
  Slot& NewestSlot() { return slots_[Index(newest_)]; }
  // The slot of `key`; nullptr when the ring does not hold it.
  const Slot* Find(std::int64_t key) const { return Holds(key) ? &slots_[Index(key)] : nullptr; }

  // Every key moves `by` earlier; the slots keep their contents.
  void MoveBack(std::int64_t by) {
    newest_ -= by;
    origin_ += by;
  }

  std::size_t Capacity() const { return slots_.capacity(); }

 private:
  std::size_t Index(std::int64_t key) const {
    const std::int64_t r = (key + origin_) % N;
    return static_cast<std::size_t>(r < 0 ? r + N : r);
  }

  std::vector<Slot> slots_;
  std::int64_t newest_ = 0;
  // Added to a key before it is reduced to a slot, so that moving every key
  // back leaves each in its slot.
  std::int64_t origin_ = 0;
  bool empty_ = true;
};

}  // namespace kelvane::history
