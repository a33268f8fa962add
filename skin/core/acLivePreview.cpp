#include "skin/core/acLivePreview.h"

#include <algorithm>
#include <cstring>

namespace skin {

namespace {

std::string FieldText(const uint8_t* field, size_t size) {
  const uint8_t* end = std::find(field, field + size, uint8_t(0));
  return std::string(reinterpret_cast<const char*>(field), size_t(end - field));
}

void PutField(std::string& record, size_t offset, size_t size, const std::string& text) {
  record.replace(offset, std::min(size, text.size()), text.substr(0, size));
}

}  // namespace

bool HasLivePreviewTag(const void* data, size_t size) {
  if (!data || size < 4) return false;
  const auto* b = static_cast<const uint8_t*>(data);
  return (uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24) == kLivePreviewTag;
}

std::optional<TacLivePreview> ReadLivePreview(const void* data, size_t size) {
  if (size < kLivePreviewSize || !HasLivePreviewTag(data, size)) return std::nullopt;
  const auto* b = static_cast<const uint8_t*>(data);
  TacLivePreview p;
  p.SkinName = FieldText(b + kLivePreviewNameOffset, kLivePreviewNameSize);
  p.SkinDirectory = FieldText(b + kLivePreviewDirOffset, kLivePreviewDirSize);
  p.OptionsText = FieldText(b + kLivePreviewTextOffset, kLivePreviewTextSize);
  return p;
}

std::string MakeLivePreviewRecord(const TacLivePreview& preview) {
  std::string record(kLivePreviewSize, '\0');
  record[0] = char(kLivePreviewTag & 0xFF);
  record[1] = char(kLivePreviewTag >> 8);
  PutField(record, kLivePreviewNameOffset, kLivePreviewNameSize, preview.SkinName);
  PutField(record, kLivePreviewDirOffset, kLivePreviewDirSize, preview.SkinDirectory);
  PutField(record, kLivePreviewTextOffset, kLivePreviewTextSize, preview.OptionsText);
  return record;
}

}  // namespace skin
