#include "platform/sim/sim_services.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kelvane::sim {

namespace fs = std::filesystem;
using platform::StoreRead;
using platform::StoreResult;
using platform::StoreStatus;

// --- SimStore ----------------------------------------------------------------

StoreRead SimStore::Read(std::string_view app, std::string_view section, std::string_view key) {
  if (!read_error_.empty()) return {StoreStatus::kFailed, "", read_error_};
  auto it = values_.find({std::string(app), std::string(section), std::string(key)});
  if (it == values_.end()) return {StoreStatus::kMissing, "", ""};
  return {StoreStatus::kOk, it->second, ""};
}

StoreResult SimStore::Write(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view value) {
  if (!write_error_.empty()) return {StoreStatus::kFailed, write_error_};
  Key k{std::string(app), std::string(section), std::string(key)};
  if (!values_.count(k)) write_order_.push_back(std::string(key));
  values_[k] = std::string(value);
  ++write_count_;
  return {};
}

StoreResult SimStore::RemoveKey(std::string_view app, std::string_view section,
                                std::string_view key) {
  if (!remove_error_.empty()) return {StoreStatus::kFailed, remove_error_};
  if (values_.erase({std::string(app), std::string(section), std::string(key)}) == 0)
    return {StoreStatus::kMissing, ""};
  return {};
}

StoreResult SimStore::RemoveSection(std::string_view app, std::string_view section) {
  if (!remove_error_.empty()) return {StoreStatus::kFailed, remove_error_};
  bool any = false;
  for (auto it = values_.begin(); it != values_.end();) {
    if (std::get<0>(it->first) == app && std::get<1>(it->first) == section) {
      it = values_.erase(it);
      any = true;
    } else {
      ++it;
    }
  }
  return {any ? StoreStatus::kOk : StoreStatus::kMissing, ""};
}

std::optional<std::string> SimStore::Value(std::string_view app, std::string_view section,
                                           std::string_view key) const {
  auto it = values_.find({std::string(app), std::string(section), std::string(key)});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool SimStore::HasSection(std::string_view app, std::string_view section) const {
  for (const auto& [k, v] : values_)
    if (std::get<0>(k) == app && std::get<1>(k) == section) return true;
  return false;
}

// --- SimRegistry -------------------------------------------------------------

std::string SimRegistry::MachineText(std::string_view key_path, std::string_view value_name) {
  auto it = texts_.find({std::string(key_path), std::string(value_name)});
  return it == texts_.end() ? "" : it->second;
}
std::uint32_t SimRegistry::MachineDword(std::string_view key_path, std::string_view value_name) {
  auto it = dwords_.find({std::string(key_path), std::string(value_name)});
  return it == dwords_.end() ? 0 : it->second;
}
void SimRegistry::SetText(std::string key_path, std::string value_name, std::string value) {
  texts_[{std::move(key_path), std::move(value_name)}] = std::move(value);
}
void SimRegistry::SetDword(std::string key_path, std::string value_name, std::uint32_t value) {
  dwords_[{std::move(key_path), std::move(value_name)}] = value;
}

// --- Code page -----------------------------------------------------------------

std::string ToCodePage(std::string_view utf8) {
  // Most text is plain ASCII (a history file is half a megabyte of it).
  if (std::all_of(utf8.begin(), utf8.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      unsigned cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
      out += cp < 0x100 ? static_cast<char>(cp) : '?';
      i += 2;
    } else {
      std::size_t len = (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
      out += '?';
      i += len;
    }
  }
  return out;
}

std::string FromCodePage(std::string_view bytes) {
  std::string out;
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// --- SimFiles ----------------------------------------------------------------

SimFiles::SimFiles() {
  std::string templ = (fs::temp_directory_path() / "kelvane-sim-XXXXXX").string();
  char* made = mkdtemp(templ.data());
  root_ = made ? fs::path(made) : fs::temp_directory_path() / "kelvane-sim";
}

SimFiles::~SimFiles() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

fs::path SimFiles::HostPath(std::string_view windows_path) const {
  fs::path out = root_;
  std::string part;
  for (char c : windows_path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) out /= part;
      part.clear();
    } else if (c != ':') {
      part += c;
    }
  }
  if (!part.empty()) out /= part;
  return out;
}

void SimFiles::MakeUnwritable(std::string_view windows_path) {
  unwritable_.push_back(HostPath(windows_path));
}

void SimFiles::MakeWritable(std::string_view windows_path) {
  std::erase(unwritable_, HostPath(windows_path));
}

bool SimFiles::Exists(std::string_view path) {
  std::error_code ec;
  return fs::exists(HostPath(path), ec);
}

bool SimFiles::FileExists(std::string_view path) {
  std::error_code ec;
  return fs::is_regular_file(HostPath(path), ec);
}

std::optional<std::string> SimFiles::ReadText(std::string_view path) {
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return FromCodePage(bytes);
}

bool SimFiles::WriteText(std::string_view path, std::string_view text, bool append) {
  fs::path host = HostPath(path);
  for (const fs::path& p : unwritable_)
    if (p == host) return false;
  std::error_code ec;
  if (!fs::is_directory(host.parent_path(), ec)) return false;  // no folder: no file
  std::ofstream out(host, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  if (!out) return false;
  out << ToCodePage(text);
  return static_cast<bool>(out);
}

bool SimFiles::ReplaceText(std::string_view path, std::string_view text) {
  const std::string beside = std::string(path) + ".new";
  if (!WriteText(beside, text, false)) return false;
  std::error_code ec;
  for (const fs::path& p : unwritable_)
    if (p == HostPath(path)) ec = std::make_error_code(std::errc::permission_denied);
  if (!ec) fs::rename(HostPath(beside), HostPath(path), ec);
  if (!ec) return true;
  std::error_code ignored;
  fs::remove(HostPath(beside), ignored);
  return false;
}

bool SimFiles::CreateFolder(std::string_view path) {
  std::error_code ec;
  fs::path host = HostPath(path);
  if (!fs::is_directory(host.parent_path(), ec)) fs::create_directories(host.parent_path(), ec);
  fs::create_directory(host, ec);
  return fs::is_directory(host, ec);
}

bool SimFiles::Rename(std::string_view from, std::string_view to) {
  const fs::path source = HostPath(from), target = HostPath(to);
  for (const fs::path& p : unwritable_)
    if (p == source || p == target) return false;
  std::error_code ec;
  if (!fs::is_regular_file(source, ec) || fs::exists(target, ec)) return false;
  fs::rename(source, target, ec);
  return !ec;
}

// --- SimShell ----------------------------------------------------------------

std::intptr_t SimShell::Execute(platform::WindowId owner, std::string_view verb,
                                std::string_view file, std::string_view parameters,
                                std::string_view folder, int show_command) {
  Request r{owner,
            std::string(verb),
            std::string(file),
            std::string(parameters),
            std::string(folder),
            show_command};
  requests_.push_back(r);
  return handler_ ? handler_(r) : 42;
}

// --- SimSound ----------------------------------------------------------------

class SimMixer : public platform::Mixer {
 public:
  explicit SimMixer(SimSound& sound) : sound_(sound) {}
  platform::MixerControl FindVolumeControl(std::uint32_t component_type) override {
    auto it = sound_.lines_.find(component_type);
    if (it == sound_.lines_.end()) return {};
    return {true, it->second.control_id, it->second.minimum, it->second.maximum};
  }
  std::optional<std::uint32_t> ReadValue(std::uint32_t control_id) override {
    sound_.reads_.push_back(control_id);
    for (auto& [type, line] : sound_.lines_) {
      if (line.control_id != control_id) continue;
      const auto& failing = sound_.failing_reads_;
      if (std::find(failing.begin(), failing.end(), type) != failing.end()) return std::nullopt;
      return line.value;
    }
    return std::nullopt;
  }
  bool WriteValue(std::uint32_t control_id, std::uint32_t value) override {
    sound_.writes_.push_back({control_id, value});
    for (auto& [type, line] : sound_.lines_)
      if (line.control_id == control_id) {
        line.value = value;
        return true;
      }
    return false;
  }

 private:
  SimSound& sound_;
};

std::unique_ptr<platform::Mixer> SimSound::OpenMixer(int device) {
  if (device != 0 || lines_.empty()) return nullptr;
  return std::make_unique<SimMixer>(*this);
}

bool SimSound::PlayWaveSync(std::string_view path) {
  Event e{"play " + std::string(path), {}};
  for (auto& [type, line] : lines_) e.volumes[type] = line.value;
  events_.push_back(e);
  if (during_playback_) during_playback_();
  return true;
}

void SimSound::Beep(int frequency_hz, int milliseconds) {
  events_.push_back(
      {"beep " + std::to_string(frequency_hz) + " " + std::to_string(milliseconds), {}});
  if (clock_) clock_->SetMonotonic(clock_->MonotonicSeconds() + milliseconds / 1000.0);
}

void SimSound::AddMixerLine(std::uint32_t component_type, std::int32_t minimum,
                            std::int32_t maximum, std::uint32_t value) {
  // Identifiers count from 0, as a card's do: a control that was not found
  // (identifier 0) names the first line's.
  const auto id = static_cast<std::uint32_t>(lines_.size());
  lines_[component_type] = {id, minimum, maximum, value};
}

std::optional<std::uint32_t> SimSound::ControlIdOf(std::uint32_t component_type) const {
  auto it = lines_.find(component_type);
  if (it == lines_.end()) return std::nullopt;
  return it->second.control_id;
}

std::optional<std::uint32_t> SimSound::LineValue(std::uint32_t component_type) const {
  auto it = lines_.find(component_type);
  if (it == lines_.end()) return std::nullopt;
  return it->second.value;
}

}  // namespace kelvane::sim
