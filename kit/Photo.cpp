#include "kit/Photo.h"

#include <memory>

#include "gui/Jpeg.h"
#include "rtl/Classes.h"

namespace kit {

void SetupPhotoDialog(gui::TOpenDialog& dialog) {
  dialog.Filter = "Jpg|*.jpg";
  dialog.DefaultExt = "Jpg";
}

bool UploadPhoto(gui::TOpenDialog& dialog, gui::TImage& image) {
  if (!dialog.Execute()) return false;
  auto jpeg = std::make_unique<gui::TJPEGImage>();
  jpeg->LoadFromFile(dialog.FileName);
  image.Picture().SetGraphic(std::move(jpeg));
  return true;
}

void ShowPhoto(gui::TImage& image, const data::TField& field) {
  rtl::TMemoryStream s;
  field.SaveToStream(s);
  if (s.Size() == 0) {
    image.Picture().SetGraphic(std::unique_ptr<gui::TGraphic>());
    return;
  }
  s.Seek(0, rtl::TSeekOrigin::soBeginning);
  auto jpeg = std::make_unique<gui::TJPEGImage>();
  jpeg->LoadFromStream(s);
  image.Picture().SetGraphic(std::move(jpeg));
}

bool HasPhoto(gui::TImage& image) {
  auto* jpeg = dynamic_cast<gui::TJPEGImage*>(image.Picture().Graphic());
  return jpeg && !jpeg->Empty();
}

void BindPhoto(data::TParam& param, gui::TImage& image) {
  if (!HasPhoto(image)) {
    param.Clear();
    return;
  }
  rtl::TMemoryStream s;
  image.Picture().Graphic()->SaveToStream(s);
  s.Seek(0, rtl::TSeekOrigin::soBeginning);
  param.LoadFromStream(s);
}

bool ShowDefaultPhoto(data::TZQuery& query, gui::TImage& image, const std::string& column) {
  query.SQL.Clear();
  query.SQL.Add("select * from foto_default");
  query.Open();
  if (query.RecordCount() == 0) return false;
  ShowPhoto(image, *query.FieldByName(column));
  return true;
}

}  // namespace kit
