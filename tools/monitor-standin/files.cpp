#include "files.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace kelvane::standin {

namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::vector<std::string> ListDirectory(const std::string& dir) {
  std::vector<std::string> names;
  DIR* handle = opendir(dir.c_str());
  if (handle == nullptr) return names;
  while (dirent* entry = readdir(handle)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  closedir(handle);
  std::sort(names.begin(), names.end(), NaturalLess);
  return names;
}

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // sysfs files claim a size of 4096 whatever they hold, so read to the end
  // instead of trusting the size.
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  const char last = dir.back();
  if (last == '/' || last == '\\') return dir + name;
  return dir + "/" + name;
}

bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t i_end = i;
      std::size_t j_end = j;
      while (i_end < a.size() && IsDigit(a[i_end])) ++i_end;
      while (j_end < b.size() && IsDigit(b[j_end])) ++j_end;
      // Compare the runs by value without converting: skip leading zeros, then
      // the longer run is larger, then the first differing digit decides.
      std::size_t i_start = i;
      std::size_t j_start = j;
      while (i_start + 1 < i_end && a[i_start] == '0') ++i_start;
      while (j_start + 1 < j_end && b[j_start] == '0') ++j_start;
      const std::size_t i_len = i_end - i_start;
      const std::size_t j_len = j_end - j_start;
      if (i_len != j_len) return i_len < j_len;
      const int cmp = a.compare(i_start, i_len, b, j_start, j_len);
      if (cmp != 0) return cmp < 0;
      i = i_end;
      j = j_end;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return (a.size() - i) < (b.size() - j);
}

}  // namespace kelvane::standin
