#include "skin/graphics/acLZ77Decoder.h"

#include <algorithm>
#include <climits>

namespace skin {

namespace {
const char* const kLZ77Error = "LZ77 decompression error.";
}

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset) : flushMode_(flushMode), autoReset_(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (open_) inflateEnd(&stream_);
}

void TLZ77Decoder::BeginStream() {
  if (open_) {
    inflateEnd(&stream_);
    open_ = false;
  }
  stream_ = z_stream{};
  result_ = Z_OK;
  if (inflateInit(&stream_) < 0) throw EGraphicCompression(kLZ77Error);
  open_ = true;
}

void TLZ77Decoder::LeaveCheckToCaller() {
  if (open_) inflateValidate(&stream_, 0);
}

void TLZ77Decoder::EndStream() {
  // zlib refuses a stream that was never begun or is already ended (its state is gone),
  // which is reported like any other failure.
  open_ = false;
  if (inflateEnd(&stream_) < 0) throw EGraphicCompression(kLZ77Error);
}

void TLZ77Decoder::Feed(const uint8_t*& source, uint8_t*& dest, size_t sourceCount, size_t destCount) {
  if (!open_) return;
  stream_.next_in = const_cast<Bytef*>(source);
  stream_.avail_in = static_cast<uInt>(std::min<size_t>(sourceCount, UINT_MAX));
  if (autoReset_) result_ = inflateReset(&stream_);
  if (result_ != Z_OK) return;
  stream_.next_out = dest;
  stream_.avail_out = static_cast<uInt>(std::min<size_t>(destCount, UINT_MAX));
  int r = inflate(&stream_, flushMode_);
  // "No progress possible" only says more input or room is needed; it must not stick as a
  // failure, or a call made merely to drain held-back output would poison the stream.
  if (r == Z_BUF_ERROR) r = Z_OK;
  result_ = r;
  source = stream_.next_in;
  dest = stream_.next_out;
}

}  // namespace skin
