#include "skin/core/sSkinManager.h"

#include <algorithm>

#include "gui/Dialogs.h"
#include "gui/Jpeg.h"
#include "rtl/SysUtils.h"
#include "rtl/Utf.h"
#include "skin/core/acSysColors.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

namespace {

TsSkinManager* g_default = nullptr;
bool g_oldGlyphsMode = false;

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr uint32_t clInactiveBorder = 0xFF00000B;

bool FileExistsQuiet(const std::string& path) {
  if (path.empty()) return false;
  const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD a = GetFileAttributesW(rtl::W(path).c_str());
  SetErrorMode(old);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// A picture of the skin as the engine keeps it: 32 bits, key pixels (fuchsia) with alpha 0
// and, for a picture without alpha of its own, every other pixel opaque. PNG pictures keep
// their alpha; opaque fuchsia in them is a key pixel too. The master bitmap is a PNG or
// else a bitmap; an element's picture a bitmap, a JPEG or a PNG by its name, and nothing
// for any other name.
std::unique_ptr<gui::TBitmap> ReadSkinPicture(const std::string& name, rtl::TStream& s, bool master) {
  const std::string upper = rtl::UpperCase(name);
  enum { kBmp, kJpeg, kPng } kind;
  if (master)
    kind = Contains(upper, ".PNG") ? kPng : kBmp;
  else if (Contains(upper, ".BMP"))
    kind = kBmp;
  else if (Contains(upper, ".JPG") || Contains(upper, ".JPEG"))
    kind = kJpeg;
  else if (Contains(upper, ".PNG"))
    kind = kPng;
  else
    return nullptr;
  auto bmp = std::make_unique<gui::TBitmap>();
  bmp->IgnorePalette = true;
  bool ownAlpha = false;
  if (kind == kPng) {
    LoadPngStreamToBitmap(*bmp, s);
    TBitmap32 px = Pixels32(*bmp);
    for (int y = 0; y < px.Height(); ++y)
      for (int x = 0; x < px.Width(); ++x)
        if (px.At(x, y) == 0xFFFF00FFu) px.At(x, y) = 0x00FF00FFu;
    ownAlpha = true;
  } else if (kind == kBmp) {
    bmp->LoadFromStream(s);
    ownAlpha = bmp->PixelFormat() == gui::pf32bit;
  } else {
    gui::TJPEGImage jpeg;
    jpeg.Performance = gui::jpBestSpeed;
    jpeg.LoadFromStream(s);
    bmp->Assign(&jpeg);
  }
  if (!ownAlpha) {
    TBitmap32 px = Pixels32(*bmp);
    for (int y = 0; y < px.Height(); ++y)
      for (int x = 0; x < px.Width(); ++x) {
        TPixel& p = px.At(x, y);
        p = (p & 0xFFFFFF) == 0xFF00FF ? 0x00FF00FFu : (p | 0xFF000000u);
      }
  }
  SetPixelFormat32(*bmp);
  return bmp;
}

}  // namespace

TsSkinManager* DefaultManager() { return g_default; }

namespace {
// What the image lists read of the default manager.
TacListSettings DefaultManagerListSettings() {
  TacListSettings s;
  if (!g_default) return s;
  s.HasManager = true;
  s.ScaleModeVCL = g_default->Options.ScaleMode() == TacScaleMode::smVCL;
  s.PixelsPerInch = g_default->Options.PixelsPerInch();
  s.CheckEmptyAlpha = g_default->Options.GetOption(0);
  s.StdGlyphsOrder = g_default->Options.GetOption(3);
  return s;
}
}  // namespace

// ---------------------------------------------------------------- options

bool TacOptions::GetOption(int index) const {
  return index >= 0 && index < int(options_.size()) ? options_[size_t(index)] : options_[4];
}

void TacOptions::SetOption(int index, bool value) {
  if (index < 0 || index >= int(options_.size())) return;
  options_[size_t(index)] = value;
  if (index == 4 && owner_ && owner_->IsDefault() && !owner_->Loading() && !owner_->Designing() &&
      owner_->IsSkinLoaded())
    SwitchSysColorDetours(value);
}

uint8_t TacOptions::GetActualArrowsStyle() const {
  if (arrowsStyle_ != TacArrowsStyle::arsDefault) return uint8_t(arrowsStyle_);
  return owner_ && owner_->IsSkinLoaded() ? owner_->CommonInfo().ArrowStyle : 0;
}

void TacOptions::SetScaleMode(TacScaleMode v) {
  if (v != scaleMode_) ChangeScale(scaleMode_, v, 0, 0);
}

void TacOptions::SetPixelsPerInch(int32_t v) {
  v = std::clamp(v, kMinCustomPPI, kMaxCustomPPI);
  if (v == pixelsPerInch_) return;
  if (scaleMode_ == TacScaleMode::smCustomPPI)
    ChangeScale(TacScaleMode::smCustomPPI, TacScaleMode::smCustomPPI, v, pixelsPerInch_);
  else
    pixelsPerInch_ = v;
}

void TacOptions::ChangeScale(TacScaleMode oldMode, TacScaleMode newMode, int32_t newPPI, int32_t oldPPI) {
  const TacScalePlan plan = PlanScaleChange(owner_->ScaleState(), oldMode, newMode, newPPI, oldPPI, GetMainFormPPI());
  if (plan.ThroughCustomPPI) {
    pixelsPerInch_ = plan.PixelsPerInch;
    SetScaleMode(TacScaleMode::smCustomPPI);
  }
  owner_->state_ |= msScaleChanging;
  if (owner_->OnScaleModeChange && !owner_->Designing()) owner_->OnScaleModeChange(owner_, plan.Data);
  pixelsPerInch_ = plan.PixelsPerInch;
  if (owner_->Loading() || owner_->Designing()) {
    scaleMode_ = newMode;
    owner_->state_ &= uint8_t(~msScaleChanging);
  } else {
    ApplyScaleChange(newMode);
  }
}

void TacOptions::ApplyScaleChange(TacScaleMode newMode) {
  scaleMode_ = newMode;
  try {
    owner_->ReloadSkin();
  } catch (...) {
    owner_->state_ &= uint8_t(~(msScaleChanging | 0x20));
    throw;
  }
  if (owner_->OnScaleChanged) owner_->OnScaleChanged(this);
  owner_->state_ &= uint8_t(~(msScaleChanging | 0x20));
}

void TacSkinEffects::SetOption(int index, bool value) {
  if (index == 0) outer_ = value;
  if (index == 1) discolored_ = value;
}

void TacScrollBarsSupport::SetSize(int index, int32_t value) {
  if (index == 0) buttonsSize_ = value;
  if (index == 1) scrollSize_ = value;
}

bool TacButtonsSupport::GetOldGlyphsMode() { return g_oldGlyphsMode; }
void TacButtonsSupport::SetOldGlyphsMode(bool value) { g_oldGlyphsMode = value; }

std::string TsThirdPartyList::GetClassNames(int index) const {
  return index >= 0 && index < kThirdPartyKinds ? lists_[size_t(index)] : std::string();
}

void TsThirdPartyList::SetClassNames(int index, const std::string& text) {
  if (index >= 0 && index < kThirdPartyKinds) lists_[size_t(index)] = text;
}

bool LoadThirdPartyLists(const TsThirdPartyList& thirdParty, TacThirdPartyLists& lists) {
  bool anyNotEmpty = false;
  for (int i = 0; i < kThirdPartyKinds; ++i) {
    const std::string text = thirdParty.GetClassNames(i);
    lists[size_t(i)].SetText(text);
    if (!text.empty()) anyNotEmpty = true;
  }
  return anyNotEmpty;
}

bool IsInStringLists(const TacThirdPartyLists& lists, std::string_view className) {
  for (const rtl::TStringList& list : lists)
    for (int i = 0; i < list.Count(); ++i)
      if (list[i] == className) return true;
  return false;
}

// ---------------------------------------------------------------- stored skins

void TsStoredSkin::Assign(const rtl::TPersistent* source) {
  const auto* s = dynamic_cast<const TsStoredSkin*>(source);
  if (!s) {
    rtl::TPersistent::Assign(source);
    return;
  }
  PackedData = s->PackedData;
  Name = s->Name;
  Author = s->Author;
  Version = s->Version;
  BorderColor = s->BorderColor;
  Description = s->Description;
  Shadow1Blur = s->Shadow1Blur;
  Shadow1Color = s->Shadow1Color;
  Shadow1Offset = s->Shadow1Offset;
  Shadow1Transparency = s->Shadow1Transparency;
}

TsStoredSkin& TsStoredSkins::Add() {
  if (owner_) owner_->skinList_->ClearList(true, false);
  items_.push_back(std::make_unique<TsStoredSkin>());
  return *items_.back();
}

void TsStoredSkins::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  Update();
}

int TsStoredSkins::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->Name == name) return int(i);
  return -1;
}

void TsStoredSkins::Update() {
  if (owner_ && owner_->OnSkinListChanged) owner_->OnSkinListChanged(owner_);
}

// ---------------------------------------------------------------- life cycle

TsSkinManager::TsSkinManager(rtl::TComponent* owner) : rtl::TComponent(owner) {
  systemStep_ = ScaleStepOfPPI(GetMainFormPPI());
  for (auto& l : thirdPartyLists_) l.CaseSensitive = true;
  commonInfo_.InactiveBorderColor = ColorToRGB(clInactiveBorder);
  commonSections_.CaseSensitive = true;
  skinList_ = std::make_unique<TacSkinListController>(this);
  if (!g_default) g_default = this;
  SetListSettingsSource(&DefaultManagerListSettings);
  active_ = true;
  // What follows construction: the class lists, the skin directory, the list.
  LoadThirdPartyDefaults(false);
  if (skinDirectory_.empty()) skinDirectory_ = "c:\\Skins";
  if (skinList_->OutOfDate) skinList_->UpdateIfNeeded(false);
  if (IsDefault()) HookApplicationWindow();
  hoverTimer_ = std::make_unique<gui::TTimer>(nullptr);
  hoverTimer_->SetInterval(100);
  hoverTimer_->OnTimer = [this](rtl::TObject*) { HoverTimer(); };
}

TsSkinManager::~TsSkinManager() {
  MarkDestroying();
  hoverTimer_.reset();
  if (hoveredControl_) hoveredControl_->RemoveFreeNotification(this);
  hoveredControl_ = nullptr;
  UnhookApplicationWindow();
  RemoveWindowHook();
  if (IsSkinLoaded() && OnDeactivate) {
    try {
      OnDeactivate(this);
    } catch (...) {
    }
  }
  FreeSkinData();
  skinList_.reset();  // its thread ends before anything it reads goes
  for (auto& f : skinFonts_) UninstallEmbeddedFont(*f);
  skinFonts_.clear();
  master_.reset();
  if (g_default == this) g_default = nullptr;
  SaveThirdPartyLists();
  for (HBRUSH& b : brushes_)
    if (b) DeleteObject(b);
}

void TsSkinManager::Loaded() {
  const bool wasLoaded = IsSkinLoaded();
  rtl::TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = "c:\\Skins";
  LoadThirdPartyDefaults(false);
  if (OnActivate && !wasLoaded && IsSkinLoaded() && !Designing()) OnActivate(this);
  skinList_->ClearList(true, false);
  skinList_->UpdateIfNeeded(false);
  if (Options.ScaleMode() == TacScaleMode::smVCL) Options.pixelsPerInch_ = GetMainFormPPI();
}

void TsSkinManager::LoadThirdPartyDefaults(bool forceDefaults) {
  for (int i = 0; i < kThirdPartyKinds; ++i)
    if (forceDefaults || ThirdParty.GetClassNames(i).empty())
      ThirdParty.SetClassNames(i, std::string(ThirdPartyDefaultLists[size_t(i)]));
  LoadThirdPartyLists(ThirdParty, thirdPartyLists_);
}

void TsSkinManager::SaveThirdPartyLists() {
  for (int i = 0; i < kThirdPartyKinds; ++i) ThirdParty.SetClassNames(i, thirdPartyLists_[size_t(i)].Text());
}

// ---------------------------------------------------------------- properties

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) {
    SetSkinName(skinName_);
  } else if (!skinName_.empty()) {
    if (!Loading()) RemoveSkin();
    FreeSkinData();
    if (OnDeactivate && !Designing()) OnDeactivate(this);
  }
  skinList_->NotifySkinChanged();
}

void TsSkinManager::SetSkinName(const std::string& value) {
  const std::string oldName = skinName_;
  const bool wasLoaded = IsSkinLoaded();
  skinName_ = value;
  if (active_) {
    if (OnBeforeChange) OnBeforeChange(this);
    state_ &= uint8_t(~msRTLMirrored);
    if (OnSkinChanging) {
      bool allow = true;
      OnSkinChanging(this, value, allow);
      if (!allow) return;
    }
    state_ |= msChanging;
    skinName_ = StripSkinSuffix(value);
    try {
      FreeSkinData();
      PrepareSkinData();
    } catch (const rtl::Exception& e) {
      // A skin that cannot be read leaves its name unused: the old one comes back.
      skinName_ = oldName;
      ShowErrorMessage(e.Message());
    }
    if (!active_) {
      // No source: skinning goes.
      RemoveSkin();
    } else if (!externalUpdate_) {
      ApplySkin(true);
    }
    if (OnActivate && !wasLoaded && active_ && !Designing()) OnActivate(this);
    state_ &= uint8_t(~msChanging);
    TacSkinData* first = SkinDataOfStep(0);
    commonInfo_.Loaded = first && !first->Sections.empty();
    if (!externalUpdate_ && OnAfterChange) OnAfterChange(this);
  }
  if (!(state_ & msChanging)) skinList_->NotifySkinChanged();
}

void TsSkinManager::SetSkinDirectory(const std::string& value) {
  if (rtl::SameText(value, skinDirectory_)) return;
  skinDirectory_ = value;
  commonInfo_.SkinFolder = ResolveSkinDirectory();
  skinList_->ClearList(true, true);
  if (!Loading()) skinList_->UpdateIfNeeded(false);
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::SetSkinsFilter(unsigned value) {
  if (value == skinsFilter_) return;
  skinsFilter_ = value;
  skinList_->ClearList(true, true);
  if (OnSkinListChanged) OnSkinListChanged(this);
}

bool TsSkinManager::IsDefault() const { return g_default == this; }

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && g_default) return;
  g_default = this;
}

bool TsSkinManager::ExtendedBorders() const { return extendedBorders_ && LayeredWindowsAvailable(); }

void TsSkinManager::SetExtendedBorders(bool value) {
  if (value == extendedBorders_) return;
  extendedBorders_ = value;
  if (!IsSkinLoaded()) return;
  state_ |= msChanging;
  TBitmap32 master = master_ ? Pixels32(*master_) : TBitmap32();
  TacSkinSource source;
  source.Master = master.HasRows() ? &master : nullptr;
  source.ExtendedBorders = ExtendedBorders();
  for (auto& d : skinData_)
    if (d) PrepareFormShadow(*d, source);
  state_ &= uint8_t(~msChanging);
}

void TsSkinManager::SetColorAdjustment(int index, int32_t value) {
  int32_t* field = index == 0 ? &brightness_ : index == 1 ? &hueOffset_ : index == 2 ? &saturation_ : nullptr;
  if (!field) return;
  if (index == 0) value = std::clamp(value, -100, 100);
  if (*field == value) return;
  *field = value;
  ReloadSkin();
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
  commonSections_.Clear();
  for (const std::string& line : lines)
    commonSections_.Add(line.empty() || line[0] == ';' ? line : RemoveChars(line, ' '));
  SetSkinName(skinName_);
}

std::string TsSkinManager::SkinInfo() const { return SkinInfoText(IsSkinLoaded(), commonInfo_.Version); }

std::vector<TacEmbeddedFont*> TsSkinManager::SkinFonts() const {
  std::vector<TacEmbeddedFont*> fonts;
  for (const auto& f : skinFonts_) fonts.push_back(f.get());
  return fonts;
}

// ---------------------------------------------------------------- queries

TacSkinData* TsSkinManager::SkinDataOfStep(int step) const {
  return step >= 0 && step < int(skinData_.size()) ? skinData_[size_t(step)].get() : nullptr;
}

int32_t TsSkinManager::GetSectionCount() const {
  const TacSkinData* d = SkinDataOfStep(0);
  return d ? int32_t(d->Sections.size()) : 0;
}

bool TsSkinManager::IsValidSkinIndex(int32_t index) const { return index >= 0 && index < GetSectionCount(); }

bool TsSkinManager::IsValidMaskIndex(int32_t index) {
  const TacSkinData* d = GetSkinDataForPPI(96);
  return d && index >= 0 && size_t(index) < d->Masks.size();
}

int32_t TsSkinManager::GetSkinIndex(std::string_view name, TacSkinData* data) {
  if (name.empty()) return -1;
  const TacSkinData* d = data ? data : GetSkinDataForPPI(96);
  return d ? skin::GetSkinIndex(*d, name) : -1;
}

int32_t TsSkinManager::GetMaskIndex(int32_t skinIndex, std::string_view imageName, TacSkinData* data) {
  const TacSkinData* d = data ? data : GetSkinDataForPPI(96);
  return d ? skin::GetMaskIndex(*d, skinIndex, imageName) : -1;
}

int32_t TsSkinManager::FindMaskIndex(std::string_view sectionName, std::string_view imageName, TacSkinData* data) {
  const TacSkinData* d = data ? data : GetSkinDataForPPI(96);
  return d ? skin::FindMaskIndex(*d, sectionName, imageName) : -1;
}

void TsSkinManager::GetSkinNames(rtl::TStringList& list, bool withPreview, std::string& firstName, int kind) {
  firstName.clear();
  list.Clear();
  skinList_->FinishListing();
  skinList_->UpdateIfNeeded(true);
  for (const TacSkinListData& item : skinList_->Items()) {
    const bool wanted = kind == 2 || (kind == 0 && item.Kind == 1) || (kind == 1 && item.Kind == 0);
    if (!wanted) continue;
    if (withPreview) {
      auto* draw = new TacItemDrawData;  // the list's objects belong to its caller
      draw->ImageIndex = item.PreviewIndex;
      list.AddObject(item.Name, draw);
    } else {
      list.Add(item.Name);
    }
  }
  if (list.Count() > 0) firstName = list[0];
  const bool sorted = list.Sorted();
  list.SetSorted(true);
  list.SetSorted(sorted);
}

// ---------------------------------------------------------------- sources and loading

std::string TsSkinManager::ResolveSkinDirectory() const { return skin::ResolveSkinDirectory(skinDirectory_, ExeFolder()); }

bool TsSkinManager::ReadSkinSource() {
  const std::string directory = ResolveSkinDirectory();
  const std::string folder = directory + skinName_ + "\\";
  const std::string optionsFile = folder + "Options.dat";
  packedSource_ = false;
  commonInfo_.SkinFolder = folder;
  if (editorText_) {
    // The outside editor's text stands in for the folder's options file.
    options_.SetText(*editorText_);
    return true;
  }
  if (FileExistsQuiet(optionsFile)) {
    const std::vector<uint8_t> bytes = rtl::ReadFileBytes(optionsFile);
    options_.SetText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
  }
  commonInfo_.SkinFolder.clear();
  // The packed file lies in the same resolved directory as the folder skin and the list.
  const std::string packedFile = PackedSkinFileName(directory, skinName_);
  if (FileExistsQuiet(packedFile)) {
    if (!convertor_) convertor_ = std::make_unique<TacSkinConvertor>();
    *convertor_ = TacSkinConvertor{};
    convertor_->SourceStream = rtl::ReadFileBytes(packedFile);
    if (!UnpackSkinStream(*convertor_)) gui::ShowMessage(std::string(SNotPackedSkin));
    if (!convertor_->OptionsStream) {
      state_ |= msChanging;
      gui::ShowMessage(InternalFormatErrorMessage(skinName_));
      state_ &= uint8_t(~msChanging);
      return false;
    }
    packedSource_ = true;
    const TacBytes& text = *convertor_->OptionsStream;
    options_.SetText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    return true;
  }
  int index = InternalSkins.IndexOf(skinName_);
  if (index < 0 && InternalSkins.Count() > 0) {
    skinName_ = InternalSkins.Items(0).Name;
    index = 0;
  }
  if (index < 0) {
    active_ = false;
    return false;
  }
  TsStoredSkin& item = InternalSkins.Items(index);
  if (!item.PackedData.empty()) {
    packedSource_ = true;
    convertor_ = std::make_unique<TacSkinConvertor>();
    convertor_->SourceStream = item.PackedData;
    if (!UnpackSkinStream(*convertor_)) gui::ShowMessage(std::string(SNotPackedSkin));
    const std::string text = convertor_->OptionsStream
                                 ? std::string(convertor_->OptionsStream->begin(), convertor_->OptionsStream->end())
                                 : std::string();
    options_.SetText(text);
  }
  return true;
}

const TacFileItem* TsSkinManager::PackedEntry(const std::string& name) const {
  return packedSource_ && convertor_ ? FindFileEntry(*convertor_, name) : nullptr;
}

std::unique_ptr<gui::TBitmap> TsSkinManager::ReadPicture(const std::string& name, bool asBitmap) const {
  if (packedSource_) {
    const TacFileItem* entry = PackedEntry(name);
    if (!entry) return nullptr;
    rtl::TMemoryStream s(entry->Data);
    return ReadSkinPicture(name, s, asBitmap);
  }
  const std::string file = Contains(name, ":") ? name : commonInfo_.SkinFolder + name;
  if (!FileExistsQuiet(file)) return nullptr;
  rtl::TMemoryStream s(rtl::ReadFileBytes(file));
  return ReadSkinPicture(name, s, asBitmap);
}

std::unique_ptr<TBitmap32> TsSkinManager::LoadPicture(const std::string& fileName) {
  std::unique_ptr<gui::TBitmap> bmp = ReadPicture(fileName, false);
  if (!bmp || bmp->Width() < 1) return nullptr;
  return std::make_unique<TBitmap32>(Pixels32(*bmp).Clone());
}

void TsSkinManager::LoadSkinFonts() {
  for (auto& f : skinFonts_) UninstallEmbeddedFont(*f);
  skinFonts_.clear();
  const int32_t count = options_.ReadInteger(kGlobalInfo, "FontCount", 0);
  auto key = [](const char* stem, int32_t n) { return std::string(stem) + std::to_string(n); };
  if (packedSource_ && convertor_) {
    for (const TacFileItem& entry : convertor_->Files) {
      if (entry.Kind != fkFont) continue;
      auto font = std::make_unique<TacEmbeddedFont>();
      font->FontData.Write(entry.Data.data(), int64_t(entry.Data.size()));
      for (int32_t n = 0; n < count; ++n)
        if (options_.ReadString(kGlobalInfo, key("FontFile", n), "") == entry.Name) {
          font->FontName = options_.ReadString(kGlobalInfo, key("FontName", n), "");
          break;
        }
      const size_t slash = entry.Name.find_last_of("\\/");
      font->FileName = slash == std::string::npos ? entry.Name : entry.Name.substr(slash + 1);
      InstallEmbeddedFont(*font);
      skinFonts_.push_back(std::move(font));
    }
    return;
  }
  for (int32_t n = 0; n < count; ++n) {
    const std::string file = options_.ReadString(kGlobalInfo, key("FontFile", n), "");
    const std::string name = options_.ReadString(kGlobalInfo, key("FontName", n), "");
    auto font = std::make_unique<TacEmbeddedFont>();
    // A relative file lies in the skin folder; the value as written is tried after it.
    for (const std::string& candidate : FontFileCandidates(file, commonInfo_.SkinFolder)) {
      if (!FileExistsQuiet(candidate)) continue;
      font->FileName = candidate;
      font->FontName = name;
      font->FontData.LoadFromFile(candidate);
      InstallEmbeddedFont(*font);
      break;
    }
    skinFonts_.push_back(std::move(font));
  }
}

void TsSkinManager::ReadGlobalInfo() {
  master_.reset();
  const std::string value = options_.ReadString(kGlobalInfo, "MASTERBITMAP", "");
  if (!value.empty()) master_ = ReadPicture(value, true);
  if (!master_) master_ = CreateBitmap32(0, 0);
  master_->SetTransparent(true);
  master_->SetTransparentColor(clFuchsia);
  ReadCommonInfo(options_, commonInfo_);
  CheckSkinVersion();
}

void TsSkinManager::CheckSkinVersion() {
  switch (skin::CheckSkinVersion(commonInfo_.Version, Designing(), CommandLineParams())) {
    case TacVersionNotice::vnOldSkin: gui::ShowMessage(OldSkinMessage(skinName_)); break;
    case TacVersionNotice::vnNewerSkin: {
      // The box itself is not to be skinned with the skin it warns of.
      const unsigned rules = skinningRules_;
      skinningRules_ &= ~unsigned(srStdDialogs);
      gui::MessageDlg(SNewerSkinVersion, gui::TMsgDlgType::mtWarning, gui::mbOK);
      if (rules & srStdDialogs) skinningRules_ |= srStdDialogs;
      break;
    }
    case TacVersionNotice::vnNone: break;
  }
}

TacSkinColors TsSkinManager::SkinColorsForLoad() const {
  // While the skin loads, its colour codes answer from its own GLOBALINFO colours.
  TacSkinColors colors;
  colors.SkinLoaded = true;
  skin::ReadPalette(options_, nullptr, colors.Palette);
  return colors;
}

void TsSkinManager::LoadSkinData(TacSkinData& data) {
  if (!active_ || !ReadSkinSource()) return;
  LoadSkinFonts();
  ReadGlobalInfo();
  TBitmap32 master = Pixels32(*master_);
  const TacSkinColors colors = SkinColorsForLoad();
  TacSkinSource source;
  source.Options = options_;
  source.Master = master.HasRows() ? &master : nullptr;
  source.LoadPicture = [this](const std::string& name) { return LoadPicture(name); };
  source.MainColor = colors.Palette[0];
  source.MainFontColor = colors.Palette[1];
  source.Colors = &colors;
  source.CommonSections = commonSections_.Text();
  source.ExtendedBorders = ExtendedBorders();
  source.SystemFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME);
  skin::LoadSkinData(data, source);
  ReadPalette(data);
  if (OnSkinLoading) OnSkinLoading(this);
}

void TsSkinManager::ReadPalette(TacSkinData& data) {
  // The palette comes from the 96-PPI sections, which the first step's load reads and
  // shifts; a later step's load keeps it, so that no colour is shifted twice.
  const TacSkinData* first = SkinDataOfStep(0);
  const bool laterStep = first && first != &data && !first->Sections.empty();
  if (!laterStep) skin::ReadPalette(options_, &data, palette_);
  TBitmap32 master = master_ ? Pixels32(*master_) : TBitmap32();
  TacSkinColorTarget target{master.HasRows() ? &master : nullptr, &data, laterStep ? nullptr : &palette_,
                            &commonInfo_.ShadowColor, commonInfo_.KeepHue};
  ApplyColorAdjustments(target, hueOffset_, saturation_, brightness_);
  if (laterStep) return;
  for (size_t i = 0; i < brushes_.size(); ++i) {
    if (brushes_[i]) DeleteObject(brushes_[i]);
    brushes_[i] = CreateSolidBrush(palette_[i] & 0xFFFFFF);
  }
}

void TsSkinManager::FreeSkinData() {
  commonInfo_.Loaded = false;
  skinData_.clear();
  initialising_.clear();
}

void TsSkinManager::PrepareSkinData() {
  for (int32_t ppi : SkinDataPPIs(ScaleState(), GetMainFormPPI())) GetSkinDataForPPI(ppi);
}

void TsSkinManager::ReloadSkin() {
  if (!active_ || Loading()) return;
  state_ |= msChanging;
  try {
    FreeSkinData();
    PrepareSkinData();
  } catch (...) {
    state_ &= uint8_t(~msChanging);
    throw;
  }
  if (!(state_ & msScaleChanging)) ApplySkin(true);
  state_ &= uint8_t(~msChanging);
  TacSkinData* first = SkinDataOfStep(0);
  commonInfo_.Loaded = first && !first->Sections.empty();
  if (externalUpdate_) return;
  if (OnAfterChange) OnAfterChange(this);
  if (!(state_ & msScaleChanging)) RepaintAll(true);
}

void TsSkinManager::UpdateRTLSysButtons(bool rightToLeft) {
  if (!ButtonsOptions.AllowRTLSysButtons || rightToLeft == bool(state_ & msRTLMirrored)) return;
  state_ ^= msRTLMirrored;
  TBitmap32 master = master_ ? Pixels32(*master_) : TBitmap32();
  std::vector<TacSkinData*> steps;
  for (auto& d : skinData_) steps.push_back(d.get());
  MirrorTitleButtons(steps, master.HasRows() ? &master : nullptr);
}

// ---------------------------------------------------------------- scaling

TacScaleState TsSkinManager::ScaleState() const {
  return TacScaleState{Options.ScaleMode(), Options.PixelsPerInch(), systemStep_, Designing()};
}

TacSkinData* TsSkinManager::GetSkinDataForPPI(int32_t ppi) {
  const int step = SkinDataStep(ScaleState(), ppi);
  if (!IsSkinLoaded() && !(state_ & (msChanging | msApplying))) {
    TacSkinData* shared = SharedSkinData(step);
    if (shared->PPI != ppi) {
      shared->PPI = ppi;
      shared->Percent = ppi * 100 / 96;
    }
    return shared;
  }
  if (Designing()) ppi = 96;
  if (step >= int(skinData_.size())) {
    if (skinData_.empty() && ppi != 96 && Options.ScaleMode() == TacScaleMode::smVCL) GetSkinDataForPPI(96);
    skinData_.resize(size_t(step) + 1);
    initialising_.resize(size_t(step) + 1, false);
  }
  const TacSkinData* first = skinData_[0].get();
  const bool firstHasSections = first && !first->Sections.empty();
  bool load = false;
  auto& entry = skinData_[size_t(step)];
  if (entry) {
    load = (state_ & msChanging) && !initialising_[size_t(step)] && !firstHasSections;
    if (load) {
      // A load goes into empty skin data.
      const int32_t scaleStep = entry->ScaleStep, entryPPI = entry->PPI;
      entry = std::make_unique<TacSkinData>(entryPPI);
      entry->ScaleStep = scaleStep;
    }
  } else {
    entry = std::make_unique<TacSkinData>(ppi);
    entry->ScaleStep = Options.ScaleMode() == TacScaleMode::smVCL ? step : ScaleStepOfPPI(ppi);
    load = (ppi != 96 && firstHasSections) || ((state_ & msChanging) && step == 0 && !firstHasSections);
  }
  TacSkinData* d = entry.get();
  if (load) {
    initialising_[size_t(step)] = true;
    try {
      LoadSkinData(*d);
    } catch (...) {
      initialising_[size_t(step)] = false;
      throw;
    }
    initialising_[size_t(step)] = false;
  }
  return d;
}

int32_t TsSkinManager::GetScrollBarWidth(int32_t ppi) const {
  return ScrollBarWidth(ScaleState(), ScrollsOptions.ScrollSize(), ppi, GetSystemMetrics(SM_CXVSCROLL),
                        GetScreenPPI());
}

int32_t TsSkinManager::GetSysScrollBarWidth(int32_t ppi) const {
  return ScrollBarWidth(ScaleState(), -1, ppi, GetSystemMetrics(SM_CXVSCROLL), GetScreenPPI());
}

int32_t GetSkinPPI(TsSkinManager* manager, gui::TControl* control, bool onlyIfSkinLoaded) {
  TsSkinManager* m = manager ? manager : g_default;
  if (m && (!onlyIfSkinLoaded || m->IsSkinLoaded()))
    if (std::optional<int32_t> ppi = ManagerSkinPPI(m->ScaleState())) return *ppi;
  return control ? GetControlPPI(control) : GetMainFormPPI();
}

}  // namespace skin
