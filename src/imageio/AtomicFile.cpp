#include "imageio/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "graphics/Error.h"

namespace velmora {

namespace {

constexpr int kNameAttempts = 100;
constexpr size_t kMaxBaseInTempName = 200;
constexpr size_t kPiecesPerCall = IOV_MAX;

std::string SystemError() { return std::strerror(errno); }

// A name nobody else uses at the moment: a counter for this process plus a random part for the
// other processes that may write beside us.
std::string TempSuffix() {
  static std::atomic<uint64_t> counter{0};
  static const uint64_t seed = std::random_device{}();
  const uint64_t n = seed ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull) ^ uint64_t(::getpid());
  char text[24];
  std::snprintf(text, sizeof text, "%012llx",
                static_cast<unsigned long long>(n & 0xFFFFFFFFFFFFull));
  return text;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path), target_(path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    const auto resolved = std::filesystem::canonical(path, ec);
    if (!ec) target_ = resolved.string();
  }
  const std::filesystem::path target_path(target_);
  const std::string folder = target_path.parent_path().string();
  // The temporary name must stay within the file system's name limit (255 bytes).
  const std::string base = target_path.filename().string().substr(0, kMaxBaseInTempName);
  const std::string prefix = (folder.empty() ? std::string() : folder + "/") + "." + base + ".";
  for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
    temp_ = prefix + TempSuffix() + ".tmp";
    // Mode 0666 less the umask, as for any new file; an existing target's mode is copied below.
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    throw Error(path_ + ": cannot write: " + SystemError());
  }
  struct stat st {};
  if (::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    (void)::fchmod(fd_, st.st_mode & 07777);
  }
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

void AtomicFile::Fail(const std::string& what) {
  const std::string message = path_ + ": " + what;
  Discard();
  throw Error(message);
}

void AtomicFile::Write(std::span<const uint8_t> bytes) {
  const std::span<const uint8_t> one[] = {bytes};
  WritePieces(one);
}

void AtomicFile::WritePieces(std::span<const std::span<const uint8_t>> pieces) {
  if (fd_ < 0) Fail("cannot write: the file is closed");
  std::vector<iovec> batch;
  size_t next = 0;  // first piece not yet complete
  size_t done_in_piece = 0;
  while (next < pieces.size()) {
    const size_t count = std::min(kPiecesPerCall, pieces.size() - next);
    batch.resize(count);
    for (size_t i = 0; i < count; ++i) {
      batch[i] = {const_cast<uint8_t*>(pieces[next + i].data()), pieces[next + i].size()};
    }
    batch[0].iov_base = static_cast<uint8_t*>(batch[0].iov_base) + done_in_piece;
    batch[0].iov_len -= done_in_piece;
    size_t wanted = 0;
    for (const iovec& v : batch) wanted += v.iov_len;
    const ssize_t wrote = ::writev(fd_, batch.data(), static_cast<int>(count));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) Fail("cannot write: " + SystemError());
    if (wrote == 0 && wanted > 0) Fail("cannot write: the system accepted no bytes");
    // Step over the complete pieces, and into the one the system stopped in.
    size_t left = static_cast<size_t>(wrote) + done_in_piece;
    done_in_piece = 0;
    while (next < pieces.size() && left >= pieces[next].size()) {
      left -= pieces[next].size();
      ++next;
    }
    done_in_piece = left;
  }
}

void AtomicFile::Commit() {
  if (fd_ < 0) Fail("cannot write: the file is closed");
  if (::fsync(fd_) != 0) Fail("cannot write: " + SystemError());
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail("cannot write: " + SystemError());
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail("cannot write: " + SystemError());
  temp_.clear();
  // Make the rename itself durable; a folder that refuses fsync still holds the new file.
  const std::string folder = std::filesystem::path(target_).parent_path().string();
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
  AtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace velmora
