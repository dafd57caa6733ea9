#include "platform/win32/files.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {

namespace {

DWORD AttributesOf(std::string_view path) {
  return WidePathCalls() ? GetFileAttributesW(Utf8ToWide(path).c_str())
                         : GetFileAttributesA(Utf8ToAcp(path).c_str());
}

HANDLE OpenFile(std::string_view path, DWORD access, DWORD share, DWORD disposition) {
  return WidePathCalls() ? CreateFileW(Utf8ToWide(path).c_str(), access, share, nullptr,
                                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr)
                         : CreateFileA(Utf8ToAcp(path).c_str(), access, share, nullptr, disposition,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// GetFileAttributes, unlike a directory search with default attributes, sees
// hidden and system files too.
bool Win32Files::Exists(std::string_view path) {
  return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::FileExists(std::string_view path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32Files::ReadText(std::string_view path) {
  const FileHandle file(
      OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  if (!file) return std::nullopt;
  const DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE) return std::nullopt;
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (size > 0 && (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr) || read != size)) {
    return std::nullopt;
  }
  return AcpToUtf8(bytes);
}

bool Win32Files::WriteText(std::string_view path, std::string_view text, bool append) {
  // OPEN_ALWAYS and then truncating, rather than CREATE_ALWAYS: CREATE_ALWAYS
  // refuses to replace a hidden file.
  const FileHandle file(OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS));
  if (!file) return false;
  LARGE_INTEGER end = {};
  if (append) {
    if (!SetFilePointerEx(file.Get(), LARGE_INTEGER{}, &end, FILE_END)) return false;
  } else if (!SetEndOfFile(file.Get())) {
    return false;
  }
  const std::string bytes = Utf8ToAcp(text);
  DWORD written = 0;
  if (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size()) {
    return true;
  }
  // A full disk may have taken part of an append: cut it off again.
  if (append && SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN)) SetEndOfFile(file.Get());
  return false;
}

bool Win32Files::ReplaceText(std::string_view path, std::string_view text) {
  const std::string beside = std::string(path) + ".new";
  const bool written = WriteText(beside, text, false);
  // MOVEFILE_REPLACE_EXISTING replaces in one step; it fails while another
  // program holds the old file open without letting it be deleted.
  if (WidePathCalls()) {
    const std::wstring from = Utf8ToWide(beside);
    if (written && MoveFileExW(from.c_str(), Utf8ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING))
      return true;
    DeleteFileW(from.c_str());
  } else {
    const std::string from = Utf8ToAcp(beside);
    if (written && MoveFileExA(from.c_str(), Utf8ToAcp(path).c_str(), MOVEFILE_REPLACE_EXISTING))
      return true;
    DeleteFileA(from.c_str());
  }
  return false;
}

bool Win32Files::CreateFolder(std::string_view path) {
  if (WidePathCalls()) {
    CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr);
  } else {
    CreateDirectoryA(Utf8ToAcp(path).c_str(), nullptr);
  }
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The running program's full path in the calls' own characters; empty on failure.
template <typename Char, typename Call>
std::basic_string<Char> ModulePath(Call call) {
  std::vector<Char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = call(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // XP cuts the name to the buffer without a NUL or an error; a full buffer
    // may mean a longer path.
    if (length < buffer.size() - 1) return std::basic_string<Char>(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string Win32Files::ExeFolder() {
  std::string path = WidePathCalls() ? WideToUtf8(ModulePath<wchar_t>(GetModuleFileNameW))
                                     : AcpToUtf8(ModulePath<char>(GetModuleFileNameA));
  if (path.empty()) return {};
  path.erase(path.find_last_of('\\') + 1);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

bool Win32Files::Rename(std::string_view from, std::string_view to) {
  // MoveFile fails when `to` exists: a rename never replaces a file.
  if (WidePathCalls()) return MoveFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str()) != 0;
  return MoveFileA(Utf8ToAcp(from).c_str(), Utf8ToAcp(to).c_str()) != 0;
}

}  // namespace kelvane::platform::win32
