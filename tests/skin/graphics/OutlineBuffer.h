// Glyph outline buffers in the system's native form, built by hand for the walker's tests
// and the fuzz target's seeds: polygons with their byte size, curves with their points.
#pragma once
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace skin::test {

class OutlineBuffer {
 public:
  // Starts a polygon at (x, y) (whole units); its byte size is filled in by End.
  OutlineBuffer& Polygon(double x, double y) {
    start_ = bytes_.size();
    Put32(0);
    Put32(24);
    PutPoint(x, y);
    return *this;
  }
  OutlineBuffer& Curve(uint16_t type, const std::vector<std::pair<double, double>>& points) {
    Put16(type);
    Put16(uint16_t(points.size()));
    for (auto [x, y] : points) PutPoint(x, y);
    return *this;
  }
  OutlineBuffer& End() {
    const uint32_t cb = uint32_t(bytes_.size() - start_);
    std::memcpy(&bytes_[start_], &cb, 4);
    return *this;
  }
  // Overwrites 4 or 2 bytes at an offset, to break a buffer on purpose.
  OutlineBuffer& Poke32(size_t at, uint32_t v) {
    std::memcpy(&bytes_[at], &v, 4);
    return *this;
  }
  OutlineBuffer& Poke16(size_t at, uint16_t v) {
    std::memcpy(&bytes_[at], &v, 2);
    return *this;
  }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  void Put32(uint32_t v) {
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    bytes_.insert(bytes_.end(), p, p + 4);
  }
  void Put16(uint16_t v) {
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    bytes_.insert(bytes_.end(), p, p + 2);
  }
  void PutPoint(double x, double y) {
    Put32(uint32_t(int32_t(x * 65536)));
    Put32(uint32_t(int32_t(y * 65536)));
  }
  std::vector<uint8_t> bytes_;
  size_t start_ = 0;
};

// Two nested squares (a ring): outer 0..100, inner 25..75, lines only.
inline std::vector<uint8_t> RingOutline() {
  OutlineBuffer b;
  b.Polygon(0, 0).Curve(1, {{0, 100}, {100, 100}, {100, 0}}).End();
  b.Polygon(25, 25).Curve(1, {{75, 25}, {75, 75}, {25, 75}}).End();
  return b.Bytes();
}

}  // namespace skin::test
