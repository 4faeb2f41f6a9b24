#include "app/AppPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace velmora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProgramFolder = "velmora";

// "/usr/bin/" and "/usr/bin" name the same folder; parent_path() must see the second form.
fs::path WithoutTrailingSeparator(const std::string& folder) {
  fs::path p = fs::path(folder).lexically_normal();
  if (!p.has_filename() && p.has_parent_path() && p != p.root_path()) p = p.parent_path();
  return p;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  // No $HOME (a service, a cleared environment): the password database still knows it.
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  // Nowhere else to keep settings; they then last as long as the temporary folder does.
  return "/tmp";
}

}  // namespace

AppPaths::AppPaths(std::string data_folder, std::string settings_folder)
    : data_folder_(std::move(data_folder)), settings_folder_(std::move(settings_folder)) {}

AppPaths AppPaths::ForExecutable(const std::string& exe_folder) {
  return ForExecutable(exe_folder, SystemEnvironment(exe_folder));
}

AppPaths AppPaths::ForExecutable(const std::string& exe_folder, const Environment& environment) {
  const fs::path exe = WithoutTrailingSeparator(exe_folder);
  const fs::path installed_data = exe.parent_path() / "share" / kProgramFolder;
  std::error_code ec;
  const bool installed = !environment.exe_folder_writable || fs::is_directory(installed_data, ec);
  if (!installed) return AppPaths(exe.string(), exe.string());
  return AppPaths(installed_data.string(),
                  (fs::path(environment.config_home) / kProgramFolder).string());
}

AppPaths::Environment AppPaths::SystemEnvironment(const std::string& exe_folder) {
  return {::access(exe_folder.c_str(), W_OK) == 0,
          ConfigHome(std::getenv("XDG_CONFIG_HOME"), HomeFolder())};
}

std::string AppPaths::ConfigHome(const char* xdg_config_home, const std::string& home) {
  // The XDG rule: a relative value is invalid and is ignored.
  if (xdg_config_home != nullptr && xdg_config_home[0] == '/') return xdg_config_home;
  return (fs::path(home) / ".config").string();
}

std::string AppPaths::DataFolder(std::string_view name) const {
  return (fs::path(data_folder_) / name).string();
}

std::string AppPaths::SettingsFile(std::string_view name) const {
  return (fs::path(settings_folder_) / name).string();
}

}  // namespace velmora
