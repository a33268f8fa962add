#include "kit/ChurchHeader.h"

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "kit/Records.h"
#include "app/UDM.h"
#include "gui/Jpeg.h"

namespace kit {

// The logo's bytes, generated from res/logo_gereja.jpg at build time.
extern const unsigned char kChurchLogoJpeg[];
extern const unsigned long kChurchLogoJpegSize;

using namespace report;

void LoadChurchHeader(TQRLabel& name, TQRLabel& address) {
  auto* q = app::DM->Q9;
  SetSQL(*q, {"select * from gereja"});
  q->Open();
  if (q->RecordCount() < 1) {
    name.SetCaption("Nama Gereja belum dimasukkan");
    address.SetCaption("Alamat Gereja belum dimasukkan");
    return;
  }
  name.SetCaption(q->FieldByName("nama_gereja")->AsString());
  address.SetCaption(q->FieldByName("alamat")->AsString());
}

void LoadChurchLogo(gui::TPicture& picture) {
  auto jpeg = std::make_unique<gui::TJPEGImage>();
  jpeg->LoadBuiltIn(std::vector<uint8_t>(kChurchLogoJpeg, kChurchLogoJpeg + kChurchLogoJpegSize));
  picture.SetGraphic(std::move(jpeg));
}

TChurchReport::TChurchReport(rtl::TComponent* owner, TPrinterOrientation orientation, THeaderPicture picture)
    : TLayoutReport(owner) {
  Page.Orientation = orientation;
  PrintIfEmpty = true;
  FirstPageHeader = true;
  LastPageFooter = true;
  const int w = BandWidth();
  // The church lines are centred between the logo at the left and the date and time
  // block at the right, so that they never run into each other.
  const int right = picture == THeaderPicture::OwnerPhoto ? w - 250 : w - 170;
  const int textLeft = 80, textWidth = right - 8 - textLeft;

  PageHeaderBand1 = AddBand(rbPageHeader, "PageHeaderBand1", 96);
  QRLabel1 = AddLabel(PageHeaderBand1, "QRLabel1", textLeft, 6, textWidth, "Kerukunan Vikaria Raya Barisan",
                      gui::fsBold);
  QRLabel1->Alignment = gui::TAlignment::taCenter;
  QRLabel1->Font().SetSize(13);
  // Placeholders: the handler writes the church before anything prints.
  QRLabel2 = AddLabel(PageHeaderBand1, "QRLabel2", textLeft, 28, textWidth, "QRLabel2");
  QRLabel2->Alignment = gui::TAlignment::taCenter;
  QRLabel2->Font().SetSize(11);
  QRLabel3 = AddLabel(PageHeaderBand1, "QRLabel3", textLeft, 48, textWidth, "QRLabel3");
  QRLabel3->Alignment = gui::TAlignment::taCenter;

  QRImage1 = nullptr;
  if (picture != THeaderPicture::None) {
    QRImage1 = new TQRImage(this);
    QRImage1->SetName("QRImage1");
    QRImage1->SetParent(PageHeaderBand1);
    QRImage1->Stretch = true;
    if (picture == THeaderPicture::ChurchLogo) {
      QRImage1->SetBounds(0, 4, 72, 72);
      LoadChurchLogo(QRImage1->Picture());
    } else {
      // A person's or a family's photo, in portrait format, at the right.
      QRImage1->SetBounds(w - 66, 2, 66, 88);
    }
  }

  // The date and the time of printing, each a caption, a colon and the value.
  auto stamp = [&](const char* label, const char* caption, int y, const char* value, TQRSysDataType data) {
    TQRLabel* l = AddLabel(PageHeaderBand1, label, right, y, 50, caption);
    AddLabel(PageHeaderBand1, (std::string(label) + "Titik").c_str(), right + 50, y, 8, ":");
    auto* v = new TQRSysData(this);
    v->SetName(value);
    v->SetParent(PageHeaderBand1);
    v->SetBounds(right + 60, y, 100, 17);
    v->Data = data;
    l->Font().SetSize(8);
    v->Font().SetSize(8);
    return std::pair{l, v};
  };
  std::tie(LabelTanggal, QRSysData1) = stamp("LabelTanggal", "Tanggal", 4, "QRSysData1", TQRSysDataType::qrsDate);
  std::tie(LabelJam, QRSysData2) = stamp("LabelJam", "Jam", 22, "QRSysData2", TQRSysDataType::qrsTime);

  auto* line = new TQRShape(this);
  line->SetName("HeaderLine");
  line->SetParent(PageHeaderBand1);
  line->Shape = TShapeType::qrsHorLine;
  line->SetBounds(0, 90, w, 2);

  BeforePrint = [this](TPageReport* sender, bool& printReport) { PageReportBeforePrint(sender, printReport); };
}

void TChurchReport::PageReportBeforePrint(TPageReport*, bool&) { LoadChurchHeader(*QRLabel2, *QRLabel3); }

}  // namespace kit
