// libFuzzer over the live-preview record another program sends: the bytes as they arrive,
// and the same bytes laid over a whole tagged record (so the text fields are read without
// their zeros too), with the options text then split into sections as a load would.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "skin/core/acLivePreview.h"
#include "skin/core/sCommonUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)skin::ReadLivePreview(data, size);
  std::string record = skin::MakeLivePreviewRecord({});
  std::memcpy(record.data() + 4, data, std::min(size, record.size() - 4));
  // Exactly the record's size in a buffer of its own, so reading past it is caught.
  auto* exact = new uint8_t[record.size()];
  std::memcpy(exact, record.data(), record.size());
  auto preview = skin::ReadLivePreview(exact, record.size());
  delete[] exact;
  if (!preview || preview->SkinName.size() > skin::kLivePreviewNameSize ||
      preview->SkinDirectory.size() > skin::kLivePreviewDirSize ||
      preview->OptionsText.size() > skin::kLivePreviewTextSize)
    __builtin_trap();
  skin::TIniSections sections;
  skin::ParseIniLines(skin::SplitLines(preview->OptionsText), sections);
  return 0;
}
