// Wine's per-process GDI handle table, which the PEB points to. GetGuiResources is a stub under
// Wine, so the test tools count GDI objects here: in their own process or, read from outside,
// in a running program.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane::gdi_table {

// GdiSharedHandleTable's offset in the PEB of a process of this build's bitness (the Windows
// 2000/XP layout, which Wine follows; measured under Wine 8 for both).
#ifdef _WIN64
constexpr std::size_t kPebOffset = 0xF8;
#else
constexpr std::size_t kPebOffset = 0x94;
#endif
constexpr std::size_t kEntries = 0x10000;
// Stock objects are shared by every DC and never deleted; they carry this flag in `unique`.
constexpr std::uint16_t kStockFlag = 0x80;

// One slot; the layout is the same in 32-bit and 64-bit processes.
struct Entry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;  // 0 for a free slot
  std::uint8_t flags;
  std::uint64_t user_pointer;
};
static_assert(sizeof(Entry) == 24);
static_assert(offsetof(Entry, unique) == 12 && offsetof(Entry, type) == 14);

inline bool IsLive(const Entry& e) {
  return e.type != 0 && !(e.unique & kStockFlag);
}
inline bool IsStock(const Entry& e) {
  return e.type != 0 && (e.unique & kStockFlag);
}

}  // namespace kelvane::gdi_table
