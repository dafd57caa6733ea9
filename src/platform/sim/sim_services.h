// The simulated desktop's remaining services: an in-memory settings store and
// registry, files in a temporary folder, and records of every shell request,
// sound and shutdown request.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"

namespace kelvane::sim {

class SimStore : public platform::SettingsStore {
 public:
  platform::StoreRead Read(std::string_view app, std::string_view section,
                           std::string_view key) override;
  platform::StoreResult Write(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) override;
  platform::StoreResult RemoveKey(std::string_view app, std::string_view section,
                                  std::string_view key) override;
  platform::StoreResult RemoveSection(std::string_view app, std::string_view section) override;

  // A store that fails with the platform's `error` text (empty: works again).
  void FailReads(std::string error) { read_error_ = std::move(error); }
  void FailWrites(std::string error) { write_error_ = std::move(error); }
  void FailRemoves(std::string error) { remove_error_ = std::move(error); }

  // Direct look at the contents, bypassing failures.
  std::optional<std::string> Value(std::string_view app, std::string_view section,
                                   std::string_view key) const;
  bool HasSection(std::string_view app, std::string_view section) const;
  std::size_t Size() const { return values_.size(); }
  int WriteCount() const { return write_count_; }
  // Keys in the order of their first write.
  std::vector<std::string> WriteOrder() const { return write_order_; }

 private:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::map<Key, std::string> values_;
  std::string read_error_, write_error_, remove_error_;
  int write_count_ = 0;
  std::vector<std::string> write_order_;
};

class SimRegistry : public platform::Registry {
 public:
  std::string MachineText(std::string_view key_path, std::string_view value_name) override;
  std::uint32_t MachineDword(std::string_view key_path, std::string_view value_name) override;
  void SetText(std::string key_path, std::string value_name, std::string value);
  void SetDword(std::string key_path, std::string value_name, std::uint32_t value);

 private:
  std::map<std::pair<std::string, std::string>, std::string> texts_;
  std::map<std::pair<std::string, std::string>, std::uint32_t> dwords_;
};

// Windows paths ("C:\\Kelvane\\Logs\\log.txt") map to a temporary folder
// (<root>/C/Kelvane/Logs/log.txt). The system code page is Windows-1252, so
// text on disk holds the degree sign as the byte 0xB0, as on a real machine.
class SimFiles : public platform::Files {
 public:
  SimFiles();
  ~SimFiles() override;
  SimFiles(const SimFiles&) = delete;
  SimFiles& operator=(const SimFiles&) = delete;

  bool Exists(std::string_view path) override;
  bool FileExists(std::string_view path) override;
  std::optional<std::string> ReadText(std::string_view path) override;
  bool WriteText(std::string_view path, std::string_view text, bool append) override;
  bool ReplaceText(std::string_view path, std::string_view text) override;
  bool CreateFolder(std::string_view path) override;
  std::string ExeFolder() override { return exe_folder_; }
  bool Rename(std::string_view from, std::string_view to) override;

  void SetExeFolder(std::string folder) { exe_folder_ = std::move(folder); }
  // The host path of a Windows path, for tests that look at raw bytes.
  std::filesystem::path HostPath(std::string_view windows_path) const;
  // Files that refuse to be written (a log opened elsewhere, a full disk).
  void MakeUnwritable(std::string_view windows_path);
  void MakeWritable(std::string_view windows_path);

 private:
  std::filesystem::path root_;
  std::string exe_folder_ = "C:\\Program Files\\Kelvane\\";
  std::vector<std::filesystem::path> unwritable_;
};

// UTF-8 to and from the simulated system code page (Windows-1252 below 0x100;
// other characters become "?").
std::string ToCodePage(std::string_view utf8);
std::string FromCodePage(std::string_view bytes);

class SimShell : public platform::Shell {
 public:
  struct Request {
    platform::WindowId owner;
    std::string verb, file, parameters, folder;
    int show_command;
  };
  std::intptr_t Execute(platform::WindowId owner, std::string_view verb, std::string_view file,
                        std::string_view parameters, std::string_view folder,
                        int show_command) override;
  const std::vector<Request>& Requests() const { return requests_; }
  // What a request does (starting the monitor, say) and the code it returns.
  void OnExecute(std::function<std::intptr_t(const Request&)> handler) {
    handler_ = std::move(handler);
  }

 private:
  std::vector<Request> requests_;
  std::function<std::intptr_t(const Request&)> handler_;
};

class SimSound : public platform::Sound {
 public:
  // A tone takes its length on `clock` (without firing timers, as a blocking
  // call would); none when there is no clock.
  explicit SimSound(SimClock* clock = nullptr) : clock_(clock) {}
  std::unique_ptr<platform::Mixer> OpenMixer(int device) override;
  bool PlayWaveSync(std::string_view path) override;
  void Beep(int frequency_hz, int milliseconds) override;

  // A mixer device with a volume control on each of these lines.
  void AddMixerLine(std::uint32_t component_type, std::int32_t minimum, std::int32_t maximum,
                    std::uint32_t value);
  std::optional<std::uint32_t> LineValue(std::uint32_t component_type) const;
  // The line's control answers every read with a failure; writes still work.
  void FailReads(std::uint32_t component_type) { failing_reads_.push_back(component_type); }
  // Every write the program asked of the mixer, in order, by control identifier:
  // those of no control included.
  struct MixerWrite {
    std::uint32_t control_id, value;
  };
  const std::vector<MixerWrite>& MixerWrites() const { return writes_; }
  // The control identifiers of every read, in order.
  const std::vector<std::uint32_t>& MixerReads() const { return reads_; }
  std::optional<std::uint32_t> ControlIdOf(std::uint32_t component_type) const;

  struct Event {
    std::string what;  // "play <path>" or "beep <hz> <ms>", with volumes at play time
    std::map<std::uint32_t, std::uint32_t> volumes;
  };
  const std::vector<Event>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  // Runs during a wave playback (a playback blocks; messages may still arrive).
  void DuringPlayback(std::function<void()> action) { during_playback_ = std::move(action); }

 private:
  friend class SimMixer;
  struct Line {
    std::uint32_t control_id;
    std::int32_t minimum, maximum;
    std::uint32_t value;
  };
  SimClock* clock_;
  std::map<std::uint32_t, Line> lines_;  // by component type
  std::vector<std::uint32_t> failing_reads_;
  std::vector<MixerWrite> writes_;
  std::vector<std::uint32_t> reads_;
  std::vector<Event> events_;
  std::function<void()> during_playback_;
};

class SimPower : public platform::Power {
 public:
  std::uint32_t Version() override { return version_; }
  void EnableShutdownPrivilege() override { privilege_enabled_ = true; }
  bool ExitWindowsWith(std::uint32_t flags) override {
    requests_.push_back(flags);
    return true;
  }
  void SetVersion(std::uint32_t v) { version_ = v; }
  bool PrivilegeEnabled() const { return privilege_enabled_; }
  // Shutdown requests (their flags); nothing is ever shut down.
  const std::vector<std::uint32_t>& Requests() const { return requests_; }

 private:
  std::uint32_t version_ = 0x0A280105;  // Windows XP
  bool privilege_enabled_ = false;
  std::vector<std::uint32_t> requests_;
};

}  // namespace kelvane::sim
