#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Where the program finds its data folders ("Textures", "Masks", "Cards", ...) and keeps its
// settings files ("View.atp", "CForm.atp", "Dirs.lst"). File names are the same in both layouts:
//   portable   both beside the executable (the build tree, an unpacked folder);
//   installed  data under <prefix>/share/velmora, settings under $XDG_CONFIG_HOME/velmora
//              (default ~/.config/velmora), where <prefix> is the executable folder's parent.
class AppPaths {
 public:
  // What the layout decision needs to know about the machine; ForExecutable asks the system,
  // tests pass their own.
  struct Environment {
    bool exe_folder_writable = true;  // may this user create files beside the executable
    std::string config_home;          // the user's configuration folder, e.g. /home/u/.config
  };

  // Explicit folders, used as they are.
  AppPaths(std::string data_folder, std::string settings_folder);

  // The layout for an executable in exe_folder (an absolute path, as the window gets it from
  // QCoreApplication::applicationDirPath()). The layout is installed when the executable's
  // folder is not writable, or when <prefix>/share/velmora exists (an installed copy run by
  // root, or one installed under ~/.local); otherwise portable.
  static AppPaths ForExecutable(const std::string& exe_folder);
  static AppPaths ForExecutable(const std::string& exe_folder, const Environment& environment);

  // The environment of this process: writability by access(2), and the configuration folder
  // from $XDG_CONFIG_HOME, $HOME or the password database.
  static Environment SystemEnvironment(const std::string& exe_folder);
  // $XDG_CONFIG_HOME when it is an absolute path, else home + "/.config" (the XDG rule).
  static std::string ConfigHome(const char* xdg_config_home, const std::string& home);

  // The data folder of that name, e.g. DataFolder("Masks"). Nothing is checked or created.
  std::string DataFolder(std::string_view name) const;
  // The settings file of that name, e.g. SettingsFile("Dirs.lst"). Its folder may not exist
  // yet; the settings writers create it.
  std::string SettingsFile(std::string_view name) const;

  const std::string& data_folder() const { return data_folder_; }
  const std::string& settings_folder() const { return settings_folder_; }

 private:
  std::string data_folder_;
  std::string settings_folder_;
};

}  // namespace velmora
