// The little file access the sensor sources need, on both Linux and Windows
// (through Wine the hwmon tree is read as Z:\sys\class\hwmon).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvane::standin {

// The names in a folder, without "." and "..", in natural order ("hwmon2"
// before "hwmon10"). Empty when the folder is missing or unreadable.
std::vector<std::string> ListDirectory(const std::string& dir);

// A whole file's bytes, or nullopt when it cannot be opened.
std::optional<std::string> ReadTextFile(const std::string& path);

// dir + separator + name; "/" is understood by both systems, and a dir that
// already ends in a separator gets none added.
std::string JoinPath(const std::string& dir, const std::string& name);

// True when a comes before b with digit runs compared by value.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace kelvane::standin
