// gdicount.exe: counts another process's live GDI objects.
//
//   gdicount.exe [--kinds] <exe-name-or-pid>
//     prints   gdi <live non-stock objects> stock <stock objects>
//     and with --kinds a second line, the live non-stock objects by kind:
//              kinds dc <n> memory-dc <n> surface <n> bitmap <n> font <n> brush <n> pen <n>
//              region <n> other <n> [(0x<type> <n>) ...]
//     Wine keeps a cache of up to 64 DCs for the windows a program painted (Windows keeps its
//     cache for the whole system); each cached DC comes with a region and a surface object.
//
// GetGuiResources is a stub under Wine (it returns 0), so the count comes from the per-process GDI
// handle table that the PEB points to: read from outside, it measures a running program without
// any switch in the program. A number is taken as a process id, anything else as an exe name
// (case-insensitive) that must match exactly one process.
//
// Exit codes: 0 counted, 1 usage, 2 no such process (or the name is ambiguous), 3 the process or
// its table could not be read.
#include <windows.h>
// <windows.h> first: the other Win32 headers need its types.
#include <tlhelp32.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "gdi_table.h"

namespace {

namespace gdi = kelvane::gdi_table;

// ProcessBasicInformation's record; declared here because MinGW's winternl.h and ddk headers
// disagree on its field names. gdicount runs with the bitness of the program it measures.
struct BasicInformation {
  LONG exit_status;
  ULONG_PTR peb_address;
  ULONG_PTR affinity_mask;
  LONG base_priority;
  ULONG_PTR process_id;
  ULONG_PTR parent_process_id;
};
static_assert(sizeof(BasicInformation) == 6 * sizeof(void*));
constexpr ULONG kProcessBasicInformation = 0;
using QueryInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);

// Owns one kernel handle; the snapshot and the process handle both close with CloseHandle.
class KernelHandle {
 public:
  explicit KernelHandle(HANDLE h) : handle_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  ~KernelHandle() {
    if (handle_) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

bool IsNumber(const char* text) {
  if (!*text) return false;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  return true;
}

// The ids of every process whose exe file name is `name`.
std::vector<DWORD> FindProcesses(const char* name) {
  std::vector<DWORD> ids;
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, name) == 0) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

bool ReadRemote(HANDLE process, ULONG_PTR address, void* buffer, std::size_t size) {
  SIZE_T done = 0;
  return ReadProcessMemory(process, reinterpret_cast<const void*>(address), buffer, size, &done) &&
         done == size;
}

int Fail(int code, const char* what, DWORD pid) {
  std::fprintf(stderr, "gdicount: %s (pid %lu, error %lu)\n", what, static_cast<unsigned long>(pid),
               static_cast<unsigned long>(GetLastError()));
  return code;
}

// The kind of a live entry, as Wine files it: its type with the extended type above it
// (NTGDI_OBJ_* shifted down by 16).
const char* KindName(const gdi::Entry& e) {
  switch (e.type | (e.flags << 5)) {
    case 0x01:
      return "dc";
    case 0x41:
      return "memory-dc";
    case 0x05:
      return "surface";
    case 0x09:
      return "bitmap";
    case 0x0a:
      return "font";
    case 0x10:
      return "brush";
    case 0x30:
    case 0x50:
      return "pen";
    case 0x04:
      return "region";
    default:
      return "other";
  }
}

int Count(DWORD pid, bool kinds) {
  // Through void(*)() because GetProcAddress's own function type does not match.
  auto query = reinterpret_cast<QueryInformationProcessFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  if (!query) return Fail(3, "NtQueryInformationProcess is missing", pid);
  KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!process) return Fail(2, "cannot open the process", pid);

  BasicInformation info{};
  if (query(process.get(), kProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
    return Fail(3, "cannot query the process", pid);
  ULONG_PTR table = 0;
  if (!ReadRemote(process.get(), info.peb_address + gdi::kPebOffset, &table, sizeof(table)))
    return Fail(3, "cannot read the PEB", pid);
  if (table == 0) return Fail(3, "the process has no GDI handle table", pid);
  std::vector<gdi::Entry> entries(gdi::kEntries);
  if (!ReadRemote(process.get(), table, entries.data(), entries.size() * sizeof(gdi::Entry)))
    return Fail(3, "cannot read the GDI handle table", pid);

  unsigned live = 0;
  unsigned stock = 0;
  for (const gdi::Entry& e : entries) {
    live += gdi::IsLive(e);
    stock += gdi::IsStock(e);
  }
  std::printf("gdi %u stock %u\n", live, stock);
  if (kinds) {
    const char* names[] = {"dc",    "memory-dc", "surface", "bitmap", "font",
                           "brush", "pen",       "region",  "other"};
    std::printf("kinds");
    for (const char* name : names) {
      unsigned n = 0;
      for (const gdi::Entry& e : entries) n += gdi::IsLive(e) && lstrcmpA(KindName(e), name) == 0;
      std::printf(" %s %u", name, n);
    }
    // What "other" holds, by Wine's type code.
    unsigned others[0x2000] = {};
    for (const gdi::Entry& e : entries)
      if (gdi::IsLive(e) && lstrcmpA(KindName(e), "other") == 0) ++others[e.type | (e.flags << 5)];
    for (unsigned code = 0; code < 0x2000; ++code)
      if (others[code]) std::printf(" (0x%02x %u)", code, others[code]);
    std::printf("\n");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool kinds = argc == 3 && lstrcmpA(argv[1], "--kinds") == 0;
  if (argc != 2 + kinds) {
    std::fprintf(stderr, "usage: gdicount.exe [--kinds] <exe-name-or-pid>\n");
    return 1;
  }
  const char* target = argv[1 + kinds];
  DWORD pid = 0;
  if (IsNumber(target)) {
    pid = std::strtoul(target, nullptr, 10);
  } else {
    std::vector<DWORD> ids = FindProcesses(target);
    if (ids.size() != 1) {
      std::fprintf(stderr, "gdicount: %u processes named %s\n", static_cast<unsigned>(ids.size()),
                   target);
      return 2;
    }
    pid = ids.front();
  }
  return Count(pid, kinds);
}
