#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "app/AppPaths.h"
#include "app/SettingsFiles.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// <root>/prefix/bin holds the executable; <root>/config is the user's configuration folder.
class AppPathsTest : public ::testing::Test {
 protected:
  AppPathsTest() { fs::create_directories(bin_); }

  TempFolder root_;
  const std::string bin_ = root_ / "prefix/bin";
  const std::string config_ = root_ / "config";
};

TEST_F(AppPathsTest, PortableKeepsEverythingBesideTheExecutable) {
  const AppPaths paths = AppPaths::ForExecutable(bin_, {true, config_});
  EXPECT_EQ(paths.DataFolder("Masks"), bin_ + "/Masks");
  EXPECT_EQ(paths.DataFolder("Cards"), bin_ + "/Cards");
  EXPECT_EQ(paths.SettingsFile("View.atp"), bin_ + "/View.atp");
  // The same with the trailing separator a caller may leave.
  EXPECT_EQ(AppPaths::ForExecutable(bin_ + "/", {true, config_}).SettingsFile("Dirs.lst"),
            bin_ + "/Dirs.lst");
}

TEST_F(AppPathsTest, ReadOnlyExecutableFolderIsAnInstallation) {
  const AppPaths paths = AppPaths::ForExecutable(bin_ + "/", {false, config_});
  EXPECT_EQ(paths.DataFolder("Textures"), root_ / "prefix/share/velmora/Textures");
  EXPECT_EQ(paths.SettingsFile("CForm.atp"), config_ + "/velmora/CForm.atp");

  // The settings folder does not exist yet; the first write makes it.
  ASSERT_FALSE(fs::exists(config_));
  WriteRecentCards(paths.SettingsFile("Dirs.lst"), {"/a.vlm"});
  EXPECT_EQ(ReadRecentCards(paths.SettingsFile("Dirs.lst")), std::vector<std::string>{"/a.vlm"});
}

TEST_F(AppPathsTest, InstalledDataFolderWinsOverAWritableExecutableFolder) {
  // root running /usr/bin/velmora, or a copy installed under ~/.local.
  fs::create_directories(root_ / "prefix/share/velmora");
  const AppPaths paths = AppPaths::ForExecutable(bin_, {true, config_});
  EXPECT_EQ(paths.DataFolder("AC"), root_ / "prefix/share/velmora/AC");
  EXPECT_EQ(paths.SettingsFile("View.atp"), config_ + "/velmora/View.atp");
}

TEST_F(AppPathsTest, SystemEnvironment) {
  EXPECT_TRUE(AppPaths::SystemEnvironment(bin_).exe_folder_writable);
  // No permission check involved: a missing folder is not writable, also for root.
  EXPECT_FALSE(AppPaths::SystemEnvironment(root_ / "missing").exe_folder_writable);
  EXPECT_FALSE(AppPaths::SystemEnvironment(bin_).config_home.empty());
}

TEST(AppPathsConfigHomeTest, FollowsTheXdgRule) {
  EXPECT_EQ(AppPaths::ConfigHome("/x/cfg", "/home/u"), "/x/cfg");
  EXPECT_EQ(AppPaths::ConfigHome(nullptr, "/home/u"), "/home/u/.config");
  EXPECT_EQ(AppPaths::ConfigHome("", "/home/u"), "/home/u/.config");
  EXPECT_EQ(AppPaths::ConfigHome("relative/cfg", "/home/u"), "/home/u/.config");
}

TEST(AppPathsExplicitTest, UsesTheFoldersGiven) {
  const AppPaths paths("/data", "/settings");
  EXPECT_EQ(paths.DataFolder("Patterns"), "/data/Patterns");
  EXPECT_EQ(paths.SettingsFile("Dirs.lst"), "/settings/Dirs.lst");
}

}  // namespace
}  // namespace velmora
