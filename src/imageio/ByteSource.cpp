#include "imageio/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "imageio/CodecSupport.h"

namespace velmora {

namespace {

// Whole files larger than this are not read into memory.
constexpr uint64_t kMaxViewBytes = uint64_t{1} << 32;
// Scatter reads go to the system in batches of this many rows.
constexpr size_t kRowsPerCall = 1024;

}  // namespace

void ByteSource::CheckRange(uint64_t offset, uint64_t n) const {
  if (offset > size() || n > size() - offset) FailPicture(name_, "truncated");
}

std::span<const uint8_t> MemorySource::View(uint64_t offset, uint64_t n, std::vector<uint8_t>&) {
  CheckRange(offset, n);
  return bytes_.subspan(offset, n);
}

void MemorySource::ReadRows(uint64_t offset, size_t row_bytes, std::span<uint8_t* const> rows) {
  CheckRange(offset, uint64_t{row_bytes} * rows.size());
  const uint8_t* src = bytes_.data() + offset;
  for (uint8_t* row : rows) {
    std::memcpy(row, src, row_bytes);
    src += row_bytes;
  }
}

FileSource::FileSource(const std::string& path) : ByteSource(path) {
  // O_NONBLOCK keeps open() from waiting for a writer when the name is a pipe.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) FailPicture(path, std::string("cannot open: ") + std::strerror(errno));
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    FailPicture(path, "not a file");
  }
  size_ = static_cast<uint64_t>(st.st_size);
}

FileSource::~FileSource() { ::close(fd_); }

std::span<const uint8_t> FileSource::View(uint64_t offset, uint64_t n,
                                          std::vector<uint8_t>& scratch) {
  CheckRange(offset, n);
  if (n > kMaxViewBytes) FailPicture(name(), "file too large");
  scratch.resize(n);
  uint8_t* dst = scratch.data();
  uint64_t done = 0;
  while (done < n) {
    const ssize_t got = ::pread(fd_, dst + done, n - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailPicture(name(), std::string("cannot read: ") + std::strerror(errno));
    if (got == 0) FailPicture(name(), "truncated");  // the file shrank while we read it
    done += static_cast<uint64_t>(got);
  }
  return {scratch.data(), n};
}

void FileSource::ReadRows(uint64_t offset, size_t row_bytes, std::span<uint8_t* const> rows) {
  CheckRange(offset, uint64_t{row_bytes} * rows.size());
  if (row_bytes == 0) return;
  iovec batch[kRowsPerCall];
  size_t next = 0;  // first row not yet complete
  size_t done_in_row = 0;
  while (next < rows.size()) {
    const size_t count = std::min(kRowsPerCall, rows.size() - next);
    for (size_t i = 0; i < count; ++i) batch[i] = {rows[next + i], row_bytes};
    batch[0].iov_base = rows[next] + done_in_row;
    batch[0].iov_len = row_bytes - done_in_row;
    const uint64_t at = offset + uint64_t{row_bytes} * next + done_in_row;
    const ssize_t got = ::preadv(fd_, batch, static_cast<int>(count), static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailPicture(name(), std::string("cannot read: ") + std::strerror(errno));
    if (got == 0) FailPicture(name(), "truncated");
    const size_t total = done_in_row + static_cast<size_t>(got);
    next += total / row_bytes;
    done_in_row = total % row_bytes;
  }
}

}  // namespace velmora
