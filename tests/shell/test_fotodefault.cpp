// The default-photo window against the database: the photos are stored as the exact
// bytes of their files and shown back from there. The stored row is put back as found.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kit/Photo.h"
#include "app/UDM.h"
#include "gui/Dialogs.h"
#include "gui/FileDialogs.h"
#include "gui/Jpeg.h"
#include "rtl/Classes.h"
#include "shell/UFotoDefault.h"
#include "tests/shell/ShellTestSupport.h"

using namespace gui;
using app::DM;
using shell::FFotoDefault;

namespace {

// Answers the open dialog with a path, or cancels when the path is empty.
class ScriptedFiles : public IFileDialogService {
 public:
  bool Execute(TFileDialogRequest& r) override {
    asked.push_back(r);
    if (answer.empty()) return false;
    r.FileName = answer;
    return true;
  }
  std::string answer;
  std::vector<TFileDialogRequest> asked;
};

std::string FileBytes(const char* path) {
  auto b = rtl::ReadFileBytes(path);
  return std::string(b.begin(), b.end());
}

// The JPEG bytes an image holds; "" when it holds no photo.
std::string Shown(TImage* image) {
  auto* jpeg = dynamic_cast<TJPEGImage*>(image->Picture().Graphic());
  return jpeg ? std::string(jpeg->Data().begin(), jpeg->Data().end()) : std::string();
}

// The stored row: each column's bytes, or nothing for NULL.
struct Row {
  std::optional<std::string> foto, nikah;
};

class PhotoWindow : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    SetFileDialogService(&files);
    kept_ = Stored();
    Exec("delete from foto_default");
    Start();
    Application->CreateForm(FFotoDefault);
    FFotoDefault->FormActivate(nullptr);
  }
  void TearDown() override {
    delete FFotoDefault;
    FFotoDefault = nullptr;
    SetFileDialogService(nullptr);
    Exec("delete from foto_default");
    if (kept_) {
      data::TZQuery q(nullptr);
      q.SetConnection(db.get());
      q.SQL.Add("insert into foto_default(id,foto,foto_nikah)values(1,:fo,:fn)");
      for (auto [name, value] : {std::pair{"fo", &kept_->foto}, std::pair{"fn", &kept_->nikah}}) {
        if (!*value) continue;
        rtl::TMemoryStream s(std::vector<uint8_t>((*value)->begin(), (*value)->end()));
        q.ParamByName(name)->LoadFromStream(s);
      }
      q.ExecSQL();
    }
    ShellFixture::TearDown();
  }
  std::optional<Row> Stored() {
    data::TZQuery q(nullptr);
    q.SetConnection(db.get());
    q.SQL.Add("select foto,foto_nikah from foto_default");
    q.Open();
    if (q.RecordCount() == 0) return std::nullopt;
    auto read = [&](const char* column) -> std::optional<std::string> {
      if (q.FieldByName(column)->IsNull()) return std::nullopt;
      rtl::TMemoryStream s;
      q.FieldByName(column)->SaveToStream(s);
      return std::string(s.Bytes().begin(), s.Bytes().end());
    };
    return Row{read("foto"), read("foto_nikah")};
  }
  ScriptedFiles files;
  std::optional<Row> kept_;
};

// One of the two photos of the window: its buttons, its image and its column.
struct Member {
  const char* name;
  void (shell::TFFotoDefault::*upload)(rtl::TObject*);
  void (shell::TFFotoDefault::*save)(rtl::TObject*);
  TImage* shell::TFFotoDefault::*image;
  std::optional<std::string> Row::*column;
  const char* inserted;
  const char* updated;
};

const Member kMembers[] = {
    {"foto", &shell::TFFotoDefault::Button1Click, &shell::TFFotoDefault::Button2Click, &shell::TFFotoDefault::Image1,
     &Row::foto, "Foto berhasil di-input|", "Foto berhasil di-ubah|"},
    {"foto_nikah", &shell::TFFotoDefault::Button4Click, &shell::TFFotoDefault::Button5Click, &shell::TFFotoDefault::Image2,
     &Row::nikah, "Foto Nikah berhasil di-input|", "Foto Nikah berhasil di-ubah|"},
};

TEST_F(PhotoWindow, EachPhotoIsStoredAsItsFileAndShownBack) {
  for (const Member& m : kMembers) {
    SCOPED_TRACE(m.name);
    const Member& other = &m == &kMembers[0] ? kMembers[1] : kMembers[0];
    Exec("delete from foto_default");
    FFotoDefault->FormActivate(nullptr);
    EXPECT_EQ(Shown(FFotoDefault->Image1), "");
    EXPECT_EQ(Shown(FFotoDefault->Image2), "");

    // The upload shows the file's bytes and stores nothing yet.
    files.answer = KORVAN_TEST_PHOTO;
    (FFotoDefault->*m.upload)(nullptr);
    EXPECT_EQ(Shown(FFotoDefault->*m.image), FileBytes(KORVAN_TEST_PHOTO));
    EXPECT_FALSE(Stored());

    // The first save creates the row with this photo alone.
    dialogs.shown.clear();
    (FFotoDefault->*m.save)(nullptr);
    EXPECT_EQ(Texts(), m.inserted);
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
    auto row = Stored();
    ASSERT_TRUE(row);
    EXPECT_EQ((*row).*m.column, FileBytes(KORVAN_TEST_PHOTO));
    EXPECT_FALSE((*row).*other.column);
    // The activation after the save shows the stored bytes; the other photo stays empty.
    EXPECT_EQ(Shown(FFotoDefault->*m.image), FileBytes(KORVAN_TEST_PHOTO));
    EXPECT_EQ(Shown(FFotoDefault->*other.image), "");

    // A later save of either photo updates the same row.
    files.answer = KORVAN_TEST_COUPLE;
    (FFotoDefault->*other.upload)(nullptr);
    dialogs.shown.clear();
    (FFotoDefault->*other.save)(nullptr);
    EXPECT_EQ(Texts(), other.updated);
    (FFotoDefault->*m.upload)(nullptr);
    dialogs.shown.clear();
    (FFotoDefault->*m.save)(nullptr);
    EXPECT_EQ(Texts(), m.updated);
    EXPECT_EQ(Value("select count(*) from foto_default"), "1");
    row = Stored();
    EXPECT_EQ((*row).*m.column, FileBytes(KORVAN_TEST_COUPLE));
    EXPECT_EQ((*row).*other.column, FileBytes(KORVAN_TEST_COUPLE));
  }
}

TEST_F(PhotoWindow, TheUploadAsksForAJpegAndACancelChangesNothing) {
  files.answer = KORVAN_TEST_PHOTO;
  FFotoDefault->Button1Click(nullptr);
  files.answer = "";
  FFotoDefault->Button1Click(nullptr);
  FFotoDefault->Button4Click(nullptr);
  ASSERT_EQ(files.asked.size(), 3u);
  for (const auto& r : files.asked) {
    EXPECT_EQ(r.Kind, TFileDialogKind::fdOpen);
    EXPECT_EQ(r.Filter, "Jpg|*.jpg");
    EXPECT_EQ(r.DefaultExt, "Jpg");
  }
  EXPECT_EQ(Shown(FFotoDefault->Image1), FileBytes(KORVAN_TEST_PHOTO));
  EXPECT_EQ(Shown(FFotoDefault->Image2), "");
}

TEST_F(PhotoWindow, AFileThatIsNoJpegIsRefusedAndNothingIsLost) {
  files.answer = KORVAN_TEST_PHOTO;
  FFotoDefault->Button1Click(nullptr);
  // A picture of another format typed into the dialog never reaches the column that
  // every registry window reads as JPEG.
  files.answer = KORVAN_TEST_BITMAP;
  EXPECT_THROW(FFotoDefault->Button1Click(nullptr), EInvalidGraphic);
  EXPECT_EQ(Shown(FFotoDefault->Image1), FileBytes(KORVAN_TEST_PHOTO));
}

TEST_F(PhotoWindow, SavingWithoutAPictureIsRefused) {
  for (const Member& m : kMembers) {
    dialogs.shown.clear();
    (FFotoDefault->*m.save)(nullptr);
    EXPECT_EQ(Texts(), "Maaf...Belum ada Foto yang di-upload!|");
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  }
  EXPECT_FALSE(Stored());
}

// The photo reset of the registry windows puts back the column it names, and reports a
// missing default row without touching the picture.
TEST_F(PhotoWindow, TheDefaultPhotoComesBackForAReset) {
  TImage image(nullptr);
  files.answer = KORVAN_TEST_COUPLE;
  FFotoDefault->Button4Click(nullptr);
  image.Picture().SetGraphic(FFotoDefault->Image2->Picture().Graphic());
  EXPECT_FALSE(kit::ShowDefaultPhoto(*DM->Q3, image));
  EXPECT_EQ(Shown(&image), FileBytes(KORVAN_TEST_COUPLE));

  files.answer = KORVAN_TEST_PHOTO;
  FFotoDefault->Button1Click(nullptr);
  FFotoDefault->Button2Click(nullptr);
  ASSERT_TRUE(kit::ShowDefaultPhoto(*DM->Q3, image));
  EXPECT_EQ(Shown(&image), FileBytes(KORVAN_TEST_PHOTO));
  // The couple column was never saved: an empty picture.
  ASSERT_TRUE(kit::ShowDefaultPhoto(*DM->Q3, image, "foto_nikah"));
  EXPECT_EQ(Shown(&image), "");
}

}  // namespace
