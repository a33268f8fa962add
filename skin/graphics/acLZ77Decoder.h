// Thin wrapper over zlib's inflate for image data that arrives in pieces: the caller feeds
// whatever input it has and the room it wants filled, and reads back how far both moved.
#pragma once
#include <cstddef>
#include <cstdint>

#include <zlib.h>

#include "rtl/SysUtils.h"

namespace skin {

class EGraphicCompression : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

class TLZ77Decoder {
 public:
  TLZ77Decoder(int flushMode, bool autoReset);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  // Raise EGraphicCompression "LZ77 decompression error." when zlib refuses.
  void BeginStream();
  void EndStream();
  // From now on zlib leaves the stream's check value to the caller, who sums the output
  // faster than zlib does (call after BeginStream).
  void LeaveCheckToCaller();

  // Inflates from source into dest; both pointers come back advanced past what was used.
  // Once the stream has ended or failed, further calls do nothing.
  void Feed(const uint8_t*& source, uint8_t*& dest, size_t sourceCount, size_t destCount);

  size_t PendingInput() const { return stream_.avail_in; }
  size_t PendingOutput() const { return stream_.avail_out; }
  int LastResult() const { return result_; }

 private:
  z_stream stream_{};
  int result_ = Z_OK;
  int flushMode_;
  bool autoReset_;
  bool open_ = false;
};

}  // namespace skin
