#include "kit/ChurchHeader.h"

#include <memory>
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
  rtl::TMemoryStream s(std::vector<uint8_t>(kChurchLogoJpeg, kChurchLogoJpeg + kChurchLogoJpegSize));
  auto jpeg = std::make_unique<gui::TJPEGImage>();
  jpeg->LoadFromStream(s);
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

  LabelTanggal = AddLabel(PageHeaderBand1, "LabelTanggal", right, 4, 50, "Tanggal");
  AddLabel(PageHeaderBand1, "LabelTanggalTitik", right + 50, 4, 8, ":");
  QRSysData1 = new TQRSysData(this);
  QRSysData1->SetName("QRSysData1");
  QRSysData1->SetParent(PageHeaderBand1);
  QRSysData1->SetBounds(right + 60, 4, 100, 17);
  QRSysData1->Data = TQRSysDataType::qrsDate;
  LabelJam = AddLabel(PageHeaderBand1, "LabelJam", right, 22, 50, "Jam");
  AddLabel(PageHeaderBand1, "LabelJamTitik", right + 50, 22, 8, ":");
  QRSysData2 = new TQRSysData(this);
  QRSysData2->SetName("QRSysData2");
  QRSysData2->SetParent(PageHeaderBand1);
  QRSysData2->SetBounds(right + 60, 22, 100, 17);
  QRSysData2->Data = TQRSysDataType::qrsTime;
  for (TQRCustomLabel* l : {static_cast<TQRCustomLabel*>(LabelTanggal), static_cast<TQRCustomLabel*>(LabelJam),
                            static_cast<TQRCustomLabel*>(QRSysData1), static_cast<TQRCustomLabel*>(QRSysData2)})
    l->Font().SetSize(8);

  auto* line = new TQRShape(this);
  line->SetName("HeaderLine");
  line->SetParent(PageHeaderBand1);
  line->Shape = TShapeType::qrsHorLine;
  line->SetBounds(0, 90, w, 2);

  BeforePrint = [this](TPageReport* sender, bool& printReport) { PageReportBeforePrint(sender, printReport); };
}

void TChurchReport::PageReportBeforePrint(TPageReport*, bool&) { LoadChurchHeader(*QRLabel2, *QRLabel3); }

}  // namespace kit
