#pragma once

// Where a writer puts its bytes: a growing buffer (a stream that the project writer embeds) or a
// file being written (AtomicFile).

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(std::span<const uint8_t> bytes) = 0;
  // The pieces in order. A file hands many pieces to the system at once, so a writer can send
  // bitmap rows without copying them first.
  virtual void WritePieces(std::span<const std::span<const uint8_t>> pieces) {
    for (auto piece : pieces) Write(piece);
  }
};

class VectorSink final : public ByteSink {
 public:
  explicit VectorSink(std::vector<uint8_t>& out) : out_(out) {}
  void Write(std::span<const uint8_t> bytes) override {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace velmora
