#include "shell/UFotoDefault.h"

#include "kit/FormKit.h"
#include "kit/Photo.h"
#include "kit/Records.h"
#include "app/UDM.h"

namespace shell {

using namespace gui;
using app::DM;

TFFotoDefault* FFotoDefault = nullptr;

TFFotoDefault::TFFotoDefault(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FFotoDefault",
                         .caption = "Tools >> Foto Default",
                         .width = 540,
                         .height = 360,
                         .border = TFormBorderStyle::bsDialog});

  auto label = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeLabel(this, this, name, x, y, caption);
  };
  // A sunken frame around each photo.
  auto frame = [this](const char* name, int x, int y) {
    auto* p = new TPanel(this);
    p->SetName(name);
    p->SetParent(this);
    p->SetBounds(x, y, 200, 240);
    p->SetBevelOuter(TBevelCut::bvLowered);
    p->SetCaption("");
    return p;
  };
  auto image = [this](const char* name, TPanel* parent) {
    auto* i = new TImage(this);
    i->SetName(name);
    i->SetParent(parent);
    i->SetBounds(2, 2, 196, 236);
    i->SetStretch(true);
    return i;
  };
  auto button = [this](const char* name, const char* caption, int x, int y) {
    auto* b = new TButton(this);
    b->SetName(name);
    b->SetParent(this);
    b->SetBounds(x, y, 96, 30);
    b->SetCaption(caption);
    return b;
  };

  Label1 = label("Label1", "Masukkan Foto Default :", 16, 12);
  Panel1 = frame("Panel1", 16, 32);
  Image1 = image("Image1", Panel1);
  Button1 = button("Button1", "Upload", 16, 280);
  Button2 = button("Button2", "Simpan", 120, 280);

  Label2 = label("Label2", "Masukkan Foto Pasangan Nikah Default :", 276, 12);
  Panel2 = frame("Panel2", 276, 32);
  Image2 = image("Image2", Panel2);
  Button4 = button("Button4", "Upload", 276, 280);
  Button5 = button("Button5", "Simpan", 380, 280);

  Button3 = button("Button3", "Close", 428, 320);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  kit::SetupPhotoDialog(*OpenDialog1);
  OpenDialog2 = new TOpenDialog(this);
  OpenDialog2->SetName("OpenDialog2");
  kit::SetupPhotoDialog(*OpenDialog2);

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  Button5->OnClick = [this](TObject* s) { Button5Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFFotoDefault::FormActivate(TObject*) {
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"select * from foto_default"});
  q->Open();
  if (q->RecordCount() == 0) {
    Image1->Picture().SetGraphic(nullptr);
    Image2->Picture().SetGraphic(nullptr);
    return;
  }
  // A column never saved shows as an empty picture.
  kit::ShowPhoto(*Image1, *q->FieldByName("foto"));
  kit::ShowPhoto(*Image2, *q->FieldByName("foto_nikah"));
}

void TFFotoDefault::Button1Click(TObject*) { kit::UploadPhoto(*OpenDialog1, *Image1); }

void TFFotoDefault::Button4Click(TObject*) { kit::UploadPhoto(*OpenDialog2, *Image2); }

void TFFotoDefault::Button2Click(TObject*) {
  SavePhoto(Image1, "insert into foto_default(foto)values(:fo)", "update foto_default set foto=:fo", "Foto berhasil di-input",
            "Foto berhasil di-ubah");
}

void TFFotoDefault::Button5Click(TObject*) {
  SavePhoto(Image2, "insert into foto_default(foto_nikah)values(:fo)", "update foto_default set foto_nikah=:fo",
            "Foto Nikah berhasil di-input", "Foto Nikah berhasil di-ubah");
}

void TFFotoDefault::SavePhoto(TImage* image, const char* insertSql, const char* updateSql, const char* inserted,
                              const char* updated) {
  // Saving an empty picture would wipe the stored default photo.
  if (!kit::HasPhoto(*image)) {
    kit::Refuse("Maaf...Belum ada Foto yang di-upload!");
    return;
  }
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"select * from foto_default"});
  q->Open();
  bool exists = q->RecordCount() > 0;
  // The single row: inserted by the first save of either photo, updated (all of it) after.
  kit::SetSQL(*q, {exists ? updateSql : insertSql});
  kit::BindPhoto(*q->ParamByName("fo"), *image);
  q->ExecSQL();
  kit::Inform(exists ? updated : inserted);
  FormActivate(this);
}

void TFFotoDefault::Button3Click(TObject*) { Close(); }

}  // namespace shell
