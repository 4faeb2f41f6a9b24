#pragma once

// Where a reader takes its bytes from: memory (a stream inside a project file, a buffer) or an
// open file. Readers that can use the file directly (BMP rows go straight into the bitmap) take a
// ByteSource; the others view the whole content at once.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // The name that error messages carry (the file name, or what the caller passed).
  const std::string& name() const noexcept { return name_; }
  virtual uint64_t size() const noexcept = 0;

  // The n bytes at offset. Memory is viewed in place; a file is read into scratch. The view is
  // valid until scratch or the source changes. Throws Error "truncated" past the end.
  virtual std::span<const uint8_t> View(uint64_t offset, uint64_t n,
                                        std::vector<uint8_t>& scratch) = 0;

  // Reads rows.size() consecutive runs of row_bytes each, starting at offset, into rows[0],
  // rows[1], ... Throws Error "truncated" past the end.
  virtual void ReadRows(uint64_t offset, size_t row_bytes, std::span<uint8_t* const> rows) = 0;

 protected:
  explicit ByteSource(std::string name) : name_(std::move(name)) {}
  // Throws Error "truncated" unless [offset, offset + n) lies inside the source.
  void CheckRange(uint64_t offset, uint64_t n) const;

 private:
  std::string name_;
};

class MemorySource final : public ByteSource {
 public:
  MemorySource(std::span<const uint8_t> bytes, std::string name)
      : ByteSource(std::move(name)), bytes_(bytes) {}

  uint64_t size() const noexcept override { return bytes_.size(); }
  std::span<const uint8_t> View(uint64_t offset, uint64_t n,
                                std::vector<uint8_t>& scratch) override;
  void ReadRows(uint64_t offset, size_t row_bytes, std::span<uint8_t* const> rows) override;

 private:
  std::span<const uint8_t> bytes_;
};

// A regular file opened for reading. Anything else (a folder, a pipe, a device) is refused, so a
// reader never blocks on it.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  uint64_t size() const noexcept override { return size_; }
  std::span<const uint8_t> View(uint64_t offset, uint64_t n,
                                std::vector<uint8_t>& scratch) override;
  void ReadRows(uint64_t offset, size_t row_bytes, std::span<uint8_t* const> rows) override;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace velmora
