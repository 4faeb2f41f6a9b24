#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TestFiles.h"
#include "graphics/Error.h"
#include "imageio/AtomicFile.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const std::vector<uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<uint8_t> kNew = {'n', 'e', 'w', '!'};

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(target_, kOld); }
  // The old content is there and no temporary file is left beside it.
  void ExpectUntouched() {
    EXPECT_EQ(ReadBytes(target_), kOld);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"card.bmp"});
  }
  TempFolder folder_;
  std::string target_ = folder_.File("card.bmp");
};

TEST_F(AtomicWrite, CommitReplacesTheContentAndKeepsThePermissions) {
  ::chmod(target_.c_str(), 0640);
  WriteFileAtomically(target_, kNew);
  EXPECT_EQ(ReadBytes(target_), kNew);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"card.bmp"});
  struct stat st {};
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomicWrite, AbandonedWriteLeavesTheOldFile) {
  {
    AtomicFile file(target_);
    file.Write(kNew);
  }  // no Commit: as when an encoder throws half-way
  ExpectUntouched();
}

TEST_F(AtomicWrite, FailedSaveLeavesTheOldFile) {
  EXPECT_THROW(SavePicture(target_, Bitmap32(2, 2),
                           [] {
                             SaveOptions o;
                             o.format = PictureFormat::kJpeg;
                             o.jpeg_quality = 0;
                             return o;
                           }()),
               Error);
  ExpectUntouched();
}

TEST_F(AtomicWrite, MissingFolderFailsNamingTheFile) {
  const std::string path = folder_.File("no-such-folder/card.bmp");
  try {
    SavePicture(path, Bitmap32(2, 2));
    ADD_FAILURE() << "saved";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind(path + ": cannot write", 0), 0u) << e.what();
  }
  ExpectUntouched();
}

TEST_F(AtomicWrite, TargetThatIsAFolderIsLeftAlone) {
  const std::string path = folder_.File("sub");
  std::filesystem::create_directory(path);
  EXPECT_THROW(WriteFileAtomically(path, kNew), Error);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(folder_.Entries().size(), 2u);  // card.bmp and sub, no temporary file
}

TEST_F(AtomicWrite, ReadOnlyFolderFailsAndLeavesTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  ::chmod(folder_.path().c_str(), 0500);
  EXPECT_THROW(WriteFileAtomically(target_, kNew), Error);
  ::chmod(folder_.path().c_str(), 0700);
  ExpectUntouched();
}

TEST_F(AtomicWrite, SymbolicLinkIsWrittenThrough) {
  const std::string link = folder_.File("link.bmp");
  std::filesystem::create_symlink(target_, link);
  WriteFileAtomically(link, kNew);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target_), kNew);
}

TEST_F(AtomicWrite, LongestFileNamesStillWork) {
  const std::string path = folder_.File(std::string(251, 'n') + ".bmp");  // 255 bytes
  WriteFileAtomically(path, kNew);
  EXPECT_EQ(ReadBytes(path), kNew);
}

TEST_F(AtomicWrite, ManyPiecesArriveInOrder) {
  // More pieces than one system call takes, of uneven sizes.
  std::vector<std::vector<uint8_t>> parts;
  std::vector<uint8_t> expected;
  for (int i = 0; i < 3000; ++i) {
    parts.emplace_back(size_t(i % 7), uint8_t(i));
    expected.insert(expected.end(), parts.back().begin(), parts.back().end());
  }
  std::vector<std::span<const uint8_t>> pieces(parts.begin(), parts.end());
  AtomicFile file(target_);
  file.WritePieces(pieces);
  file.Commit();
  EXPECT_EQ(ReadBytes(target_), expected);
}

}  // namespace
}  // namespace velmora
