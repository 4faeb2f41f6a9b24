#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "imageio/ByteSink.h"

namespace velmora {

// Writes a file so that a failure never damages the file already there: the bytes go to a new
// temporary file in the same folder, and Commit() flushes it to the disk and renames it over the
// target. Destroying the object without Commit() removes the temporary file. A target that is a
// symbolic link is written through the link. Errors throw velmora::Error naming the target.
class AtomicFile final : public ByteSink {
 public:
  explicit AtomicFile(const std::string& path);
  ~AtomicFile() override;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  void Write(std::span<const uint8_t> bytes) override;
  void WritePieces(std::span<const std::span<const uint8_t>> pieces) override;
  // Makes the written bytes the content of the target. Nothing may be written afterwards.
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& what);
  void Discard() noexcept;

  std::string path_;    // as the caller named it, for messages
  std::string target_;  // the file that is replaced (links resolved)
  std::string temp_;
  int fd_ = -1;
};

// The whole content at once, through an AtomicFile.
void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace velmora
