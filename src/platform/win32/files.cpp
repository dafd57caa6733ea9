#include "platform/win32/files.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {

// GetFileAttributes, unlike a directory search with default attributes, sees
// hidden and system files too.
bool Win32Files::Exists(std::string_view path) {
  return GetFileAttributesA(Utf8ToAcp(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::FileExists(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32Files::ReadText(std::string_view path) {
  const FileHandle file(CreateFileA(Utf8ToAcp(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
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
  const FileHandle file(CreateFileA(Utf8ToAcp(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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
  const std::string target = Utf8ToAcp(path);
  const std::string beside = target + ".new";
  const bool written = WriteText(AcpToUtf8(beside), text, false);
  // MOVEFILE_REPLACE_EXISTING replaces in one step; it fails while another
  // program holds the old file open without letting it be deleted.
  if (written && MoveFileExA(beside.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileA(beside.c_str());
  return false;
}

bool Win32Files::CreateFolder(std::string_view path) {
  const std::string folder = Utf8ToAcp(path);
  CreateDirectoryA(folder.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Files::ExeFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // XP cuts the name to the buffer without a NUL or an error; a full buffer
    // may mean a longer path.
    if (length < buffer.size() - 1) {
      std::string path(buffer.data(), length);
      path.erase(path.find_last_of('\\') + 1);
      if (path.empty() || path.back() != '\\') path += '\\';
      return AcpToUtf8(path);
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool Win32Files::Rename(std::string_view from, std::string_view to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
  return MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), 0) != 0;
}

}  // namespace kelvane::platform::win32
