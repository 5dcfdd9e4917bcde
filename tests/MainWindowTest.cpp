// Lumiq's main window driven as a user drives it: clicks on rows, radio
// items and buttons, command lines; checked by the files it writes and the
// pixels it shows.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QHeaderView>
#include <QRadioButton>
#include <QTest>
#include <QProgressBar>
#include <functional>
#include <optional>
#include <set>

#include "codec/Decoder.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/controls/Application.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioGroup.h"
#include "platform/controls/Splitter.h"
#include "tests/ControlsTestSupport.h"
#include "tests/ShellModelSupport.h"
#include "tests/TestSupport.h"
#include "tools/BmpBuilder.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellListModel.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/SaveProgress.h"
#include "viewer/Unit1.h"

namespace lum::test {
namespace {

constexpr uint16_t kWhite = 0xFFFF;

// A logo with a transparent corner (0,0), an opaque black pixel (1,0) and a
// colour that tells the logos apart everywhere else.
Bytes Logo(int32_t width, int32_t height, uint16_t colour) {
  return LogoBytesOf(width, height, [&](int32_t x, int32_t y) -> uint16_t {
    if (x == 0 && y == 0) return 0x0000;
    if (x == 1 && y == 0) return 0x8000;
    return static_cast<uint16_t>(colour + (x + y) % 2);
  });
}

// The colour a decoded logo shows at (x, y), with transparent pixels in
// `transparent`.
Rgb Expected(const Bytes& logo, int32_t width, int x, int y, Rgb transparent) {
  const size_t at = 8 + 2 * static_cast<size_t>(y * width + x);
  const auto word = static_cast<uint16_t>(logo[at] << 8 | logo[at + 1]);
  return word == 0 ? transparent : ExpandLogoPixel(word);
}

QRgb ToQRgb(Rgb colour) { return qRgb(colour.red, colour.green, colour.blue); }

bool SameColour(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

// Whether the BMP file at `path` is a 24-bit image of `logo` with transparent
// pixels black.
::testing::AssertionResult IsBitmapOf(const std::string& path, const Bytes& logo, int32_t width, int32_t height) {
  const Bytes file = ReadFile(path);
  if (file.size() < 54 || file[28] != 24) return ::testing::AssertionFailure() << path << " is no 24-bit BMP";
  const platform::Bitmap bitmap = platform::Bitmap::LoadFromFile(path);
  if (bitmap.Width() != width || bitmap.Height() != height) return ::testing::AssertionFailure() << "size differs";
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!SameColour(bitmap.PixelColour(x, y), Expected(logo, width, x, y, Rgb{0, 0, 0})))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
    }
  }
  return ::testing::AssertionSuccess();
}

class MainWindowTest : public ShellModelFixture {
 protected:
  MainWindowTest() { MakeFolder(sandbox_.Work()); }

  void SetUp() override {
    previousHandler_ = SetControlExceptionHandler(
        [](const std::exception& failure) { controls::PostException(failure.what()); });
  }
  void TearDown() override {
    if (form_) form_->BeforeDestruction();
    form_.reset();
    SetControlExceptionHandler(previousHandler_);
    controls::SetParamStrings({});
    ProcessEvents();
  }

  std::string Work(const std::string& name) const { return sandbox_.Work() + "/" + name; }

  /// The window as the program starts it with `arguments`, shown.
  TForm1& Start(std::vector<std::string> arguments = {}) {
    controls::SetParamStrings(std::move(arguments));
    form_ = std::make_unique<TForm1>();
    form_->AfterConstruction();
    form_->show();
    ProcessEvents();
    return *form_;
  }

  /// A click on `row` of the list, with Ctrl to add it to the selection.
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QAbstractItemView* view = form_->ShellListView1->CurrentView();
    const QRect rect = view->visualRect(form_->ShellListView1->Model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
  }
  int RowOf(const std::string& name) const {
    for (int row = 0; row < form_->ShellListView1->RowCount(); ++row)
      if (form_->ShellListView1->FolderAt(row)->InFolderName() == name) return row;
    ADD_FAILURE() << "no row " << name;
    return -1;
  }
  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < form_->ShellListView1->RowCount(); ++row)
      names.push_back(form_->ShellListView1->FolderAt(row)->InFolderName());
    return names;
  }
  void Choose(controls::TRadioGroup* group, int item) { QTest::mouseClick(group->Button(item), Qt::LeftButton); }
  /// As a screen reader picks a radio item: by its accessible "Toggle".
  void Toggle(controls::TRadioGroup* group, int item) {
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(group->Button(item));
    ASSERT_TRUE(button && button->actionInterface());
    button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  }
  void Press(controls::TBitBtn* button) { QTest::mouseClick(button, Qt::LeftButton); }
  std::string SizeLabel() const { return form_->lblSize->Caption().toStdString(); }

  /// Whether the three previews show `logo` at 1x, 2x and 4x, transparent
  /// pixels in `transparent`, read back from the screen.
  ::testing::AssertionResult ShowsLogo(const Bytes& logo, int32_t width, int32_t height, Rgb transparent) {
    const controls::TImage* images[] = {form_->Image1, form_->Image2, form_->Image3};
    for (int scale : {1, 2, 4}) {
      const controls::TImage* image = images[scale == 4 ? 2 : scale - 1];
      if (image->size() != QSize(width * scale, height * scale))
        return ::testing::AssertionFailure() << "preview " << scale << "x is " << image->width() << " wide";
      const QImage shown = const_cast<controls::TImage*>(image)->grab().toImage();
      for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {width - 1, height - 1}}) {
        const QRgb want = ToQRgb(Expected(logo, width, x, y, transparent));
        for (auto [dx, dy] : {std::pair{0, 0}, {scale - 1, scale - 1}}) {
          if (shown.pixel(x * scale + dx, y * scale + dy) != want)
            return ::testing::AssertionFailure() << "preview " << scale << "x differs at " << x << "," << y;
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  controls::TForm* Form() const { return form_.get(); }

  ExceptionBoxRecorder boxes_;
  std::unique_ptr<TForm1> form_;

 private:
  ControlExceptionHandler previousHandler_;
};

TEST_F(MainWindowTest, SavesEverySelectedLogoAsBitmapWithTransparentPixelsBlack) {
  const Bytes a = Logo(50, 30, 0x8421), b = Logo(50, 30, 0x9C00), c = Logo(54, 34, 0x83E0);
  WriteFile(Work("a.kvx"), a);
  WriteFile(Work("b.kvx"), b);
  WriteFile(Work("c.hzn"), c);
  WriteFile(Work("d.kvx"), Logo(50, 30, 0xFC00));
  TForm1& form = Start({Work("a.kvx")});
  ASSERT_EQ(RowNames(), (std::vector<std::string>{"a.kvx", "b.kvx", "c.hzn", "d.kvx"}));

  // Chosen last, but the previews show the first selected row.
  ClickRow(RowOf("c.hzn"), Qt::ControlModifier);
  ClickRow(RowOf("b.kvx"), Qt::ControlModifier);
  Choose(form.rgTransparency, 5);  // "Wit  "
  EXPECT_TRUE(ShowsLogo(a, 50, 30, Rgb{255, 255, 255}));
  EXPECT_EQ(SizeLabel(), "50 x 30  (KVX compatible)");

  Press(form.SaveBtn);
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_EQ(form.rgTransparency->ItemIndex(), 0);
  EXPECT_TRUE(IsBitmapOf(Work("a.bmp"), a, 50, 30));
  EXPECT_TRUE(IsBitmapOf(Work("b.bmp"), b, 50, 30));
  EXPECT_TRUE(IsBitmapOf(Work("c.bmp"), c, 54, 34));
  EXPECT_FALSE(FileExists(Work("d.bmp")));
  // The previews end on the last file saved.
  EXPECT_TRUE(ShowsLogo(c, 54, 34, Rgb{0, 0, 0}));
  EXPECT_EQ(SizeLabel(), "54 x 34  (HZN compatible)");
}

TEST_F(MainWindowTest, TheSizeLabelNamesTheKindAndEmptyPreviewsWithoutSelection) {
  WriteFile(Work("tall.kvx"), Logo(30, 50, 0x8421));
  WriteFile(Work("blank.kvx"), LogoBytes(0, 0, {}));
  WriteFile(Work("short.kvx"), LogoBytes(50, 30, {0x8000, 0x8000}));
  TForm1& form = Start();
  EXPECT_EQ(SizeLabel(), "");
  EXPECT_FALSE(form.ShowBtn->isVisible());

  form.ShellTreeView1->SelectPath(sandbox_.Work());
  ClickRow(RowOf("tall.kvx"));
  EXPECT_EQ(SizeLabel(), "30 x 50  (no logo recognized)");
  EXPECT_FALSE(form.Image1->Picture().isNull());
  // A logo shorter than its header says: shown in a box after the click,
  // and the previews stay as they were.
  ClickRow(RowOf("short.kvx"));
  ProcessEvents();
  EXPECT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(SizeLabel(), "30 x 50  (no logo recognized)");
  EXPECT_FALSE(form.Image1->Picture().isNull());
  ClickRow(RowOf("blank.kvx"));
  EXPECT_EQ(SizeLabel(), "(no logo recognized)");
  EXPECT_TRUE(form.Image1->Picture().isNull());
  EXPECT_EQ(boxes_.Boxes().size(), 1u);

  // Ctrl+click takes the only selected row away: nothing is shown.
  ClickRow(RowOf("blank.kvx"), Qt::ControlModifier);
  ASSERT_EQ(form.ShellListView1->FirstSelectedRow(), -1);
  EXPECT_EQ(SizeLabel(), "(no logo recognized)");
  EXPECT_TRUE(form.Image3->Picture().isNull());
}

TEST_F(MainWindowTest, TheBitmapModeListsBitmapsAndSavesThemAsLogosOfTheirSize) {
  tools::BmpRecipe recipe;
  recipe.width = 54;
  recipe.height = 34;
  WriteFile(Work("pic.bmp"), tools::BmpBytes(recipe, [](int x, int) { return x == 0 ? 0x070707u : 0x20F040u; }));
  recipe.width = recipe.height = 64;
  WriteFile(Work("BIG.BMP"), tools::BmpBytes(recipe, [](int x, int) { return x == 0 ? 0x070707u : 0x20F040u; }));
  WriteFile(Work("logo.kvx"), Logo(50, 30, 0x8421));
  MakeFolder(Work("folder.bmp"));
  TForm1& form = Start({Work("logo.kvx")});
  Choose(form.rgTransparency, 5);
  EXPECT_EQ(form.SaveBtn->Caption(), "Save as *.BMP");

  Choose(form.rgMode, 1);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"BIG.BMP", "pic.bmp"}));
  EXPECT_EQ(form.SaveBtn->Caption(), "Opslaan als *.KVX");
  EXPECT_EQ(form.rgTransparency->ItemIndex(), 0);
  EXPECT_FALSE(form.rgTransparency->isEnabled());

  ClickRow(RowOf("BIG.BMP"));
  EXPECT_EQ(SizeLabel(), "64 x 64  (no logo recognized)");
  ClickRow(RowOf("pic.bmp"), Qt::ControlModifier);
  Press(form.SaveBtn);
  ASSERT_TRUE(boxes_.Boxes().empty());
  const Bytes hzn = ReadFile(Work("pic.hzn"));
  const Bytes kvx = ReadFile(Work("BIG.kvx"));
  ASSERT_EQ(hzn.size(), 3680u);
  ASSERT_EQ(kvx.size(), 8200u);
  // "Auto" makes near-black pixels transparent at the KVX size only.
  EXPECT_EQ(hzn[8] << 8 | hzn[9], 0x8000);
  EXPECT_EQ(kvx[8] << 8 | kvx[9], 0x8000);
  EXPECT_EQ(kvx[10] << 8 | kvx[11], 0x8000 | 4 << 10 | 30 << 5 | 8);
  Choose(form.rgSetTrans, 1);  // "On"
  Press(form.SaveBtn);
  EXPECT_EQ(ReadFile(Work("pic.hzn"))[8], 0x00);
  Choose(form.rgSetTrans, 2);  // "Uit"
  Press(form.SaveBtn);
  EXPECT_EQ(ReadFile(Work("pic.hzn"))[8], 0x80);

  Choose(form.rgMode, 0);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"BIG.kvx", "logo.kvx", "pic.hzn"}));
  EXPECT_EQ(form.SaveBtn->Caption(), "Opsl.als*.BMP");
  EXPECT_TRUE(form.rgTransparency->isEnabled());
}

// What the items show is what the window does: a mode toggled by an
// accessibility client lists and saves in that mode.
TEST_F(MainWindowTest, RadioItemsToggledByAnAccessibilityClientTakeEffect) {
  const Bytes logo = Logo(50, 30, 0x8421);
  WriteFile(Work("a.kvx"), logo);
  tools::BmpRecipe recipe;
  recipe.width = 50;
  recipe.height = 30;
  WriteFile(Work("a.bmp"), tools::BmpBytes(recipe, [](int, int) { return 0x20F040u; }));
  const Bytes bitmap = ReadFile(Work("a.bmp"));
  TForm1& form = Start({Work("a.kvx")});
  Toggle(form.rgTransparency, 5);  // "Wit  "
  EXPECT_TRUE(ShowsLogo(logo, 50, 30, Rgb{255, 255, 255}));

  Toggle(form.rgMode, 1);
  ASSERT_TRUE(form.rgMode->Button(1)->isChecked());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"a.bmp"});
  EXPECT_EQ(form.SaveBtn->Caption(), "Opslaan als *.KVX");
  EXPECT_FALSE(form.rgTransparency->isEnabled());
  ClickRow(0);
  Press(form.SaveBtn);
  EXPECT_EQ(ReadFile(Work("a.bmp")), bitmap);
  EXPECT_EQ(ReadFile(Work("a.kvx")).size(), 3008u);
  EXPECT_NE(ReadFile(Work("a.kvx")), logo);

  Toggle(form.rgListStyle, 3);
  EXPECT_EQ(form.ShellListView1->ViewStyle(), vsReport);
}

TEST_F(MainWindowTest, ViewStylesAndSortingByAColumnKeepTheSelectedFiles) {
  WriteFile(Work("a.kvx"), Bytes(3100));
  WriteFile(Work("b.kvx"), Logo(50, 30, 0x8421));
  WriteFile(Work("c.kvx"), Bytes(3500));
  TForm1& form = Start({Work("b.kvx")});
  for (auto [item, style] : {std::pair{1, vsIcon}, {2, vsSmallIcon}, {3, vsReport}}) {
    Choose(form.rgListStyle, item);
    EXPECT_EQ(form.ShellListView1->ViewStyle(), style);
  }
  auto* header = static_cast<QTreeView*>(form.ShellListView1->CurrentView())->header();
  const int sizeColumn = 1;
  ASSERT_EQ(form.ShellListView1->Model()->headerData(sizeColumn, Qt::Horizontal).toString(), "Size");
  for (int click = 0; click < 2; ++click) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(sizeColumn) + 5, header->height() / 2));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"b.kvx", "a.kvx", "c.kvx"}));
  }
  EXPECT_TRUE(form.ShellListView1->IsRowSelected(0));
  EXPECT_FALSE(form.ShellListView1->IsRowSelected(1));
  Choose(form.rgListStyle, 0);
  EXPECT_EQ(form.ShellListView1->ViewStyle(), vsList);
}

TEST_F(MainWindowTest, ARelativeFileNameOnTheCommandLineIsFoundAndShown) {
  const Bytes logo = Logo(54, 34, 0x83E0);
  MakeFolder(Work("logos"));
  WriteFile(Work("logos/sun.hzn"), logo);
  ScopedWorkingDirectory here(Work("logos"));
  TForm1& form = Start({"../logos/./sun.hzn"});
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_EQ(form.ShellListView1->FirstSelectedRow(), RowOf("sun.hzn"));
  EXPECT_TRUE(ShowsLogo(logo, 54, 34, Rgb{0, 0, 0}));
}

TEST_F(MainWindowTest, SingleFileModeIsCompactAndFixedUntilTheBrowserIsShown) {
  const Bytes logo = Logo(50, 30, 0x9C00);
  WriteFile(Work("one.kvx"), logo);
  TForm1& form = Start({"/S", Work("one.kvx")});
  EXPECT_FALSE(form.ShellTreeView1->isEnabled());
  EXPECT_FALSE(form.ShellListView1->isEnabled());
  EXPECT_FALSE(form.rgMode->isEnabled());
  EXPECT_FALSE(form.rgListStyle->isVisible());
  EXPECT_TRUE(form.ShowBtn->isVisible());
  EXPECT_EQ(Form()->ClientHeight(), form.Splitter2->height() + form.Panel2->height());
  EXPECT_EQ(form.Splitter1->FindControl(), nullptr);
  EXPECT_TRUE(ShowsLogo(logo, 50, 30, Rgb{0, 0, 0}));

  const QSize compact = Form()->size();
  Form()->resize(900, 700);
  Form()->SetClientHeight(600);
  ProcessEvents();
  EXPECT_EQ(Form()->size(), compact);

  Choose(form.rgTransparency, 5);
  Press(form.SaveBtn);
  EXPECT_TRUE(IsBitmapOf(Work("one.bmp"), logo, 50, 30));

  Press(form.ShowBtn);
  EXPECT_TRUE(form.ShellTreeView1->isEnabled());
  EXPECT_TRUE(form.rgListStyle->isVisible());
  EXPECT_FALSE(form.ShowBtn->isVisible());
  EXPECT_EQ(Form()->ClientHeight(), Form()->Scaled(500));
  EXPECT_EQ(form.ShellListView1->FirstSelectedRow(), RowOf("one.kvx"));
  EXPECT_EQ(form.Splitter2->FindControl(), form.Panel2);
  Form()->SetClientHeight(520);
  EXPECT_EQ(Form()->ClientHeight(), 520);
}

TEST_F(MainWindowTest, TheSwitchAloneFailsToOpenAndASaveWritesNothing) {
  WriteFile(Work("x.kvx"), Logo(50, 30, 0x8421));
  TForm1& form = Start({"-s"});
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text.left(32), "Datei  kann nicht geöffnet werde");
  EXPECT_EQ(boxes_.Boxes()[0].caption, controls::ApplicationTitle());
  const FolderSnapshot before = SnapshotFolder(sandbox_.Root());
  Press(form.SaveBtn);
  EXPECT_EQ(SnapshotFolder(sandbox_.Root()), before);
}

TEST_F(MainWindowTest, AFailedSaveKeepsTheFilesBeforeItAndWritesNoneAfter) {
  for (const char* name : {"a.kvx", "b.kvx", "c.kvx"}) WriteFile(Work(name), Logo(50, 30, 0x8421));
  MakeFolder(Work("b.bmp"));  // b's bitmap can't be created
  TForm1& form = Start({Work("a.kvx")});
  ClickRow(RowOf("b.kvx"), Qt::ControlModifier);
  ClickRow(RowOf("c.kvx"), Qt::ControlModifier);
  Press(form.SaveBtn);
  EXPECT_TRUE(FileExists(Work("a.bmp")));
  EXPECT_FALSE(FileExists(Work("c.bmp")));
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  const QString text = boxes_.Boxes()[0].text;
  EXPECT_TRUE(text.startsWith(QString::fromStdString("Datei \"" + Work("b.bmp") + "\" kann nicht erstellt werden. ")))
      << text.toStdString();
  EXPECT_TRUE(text.endsWith('.'));
  EXPECT_EQ(SizeLabel(), "50 x 30  (KVX compatible)");
}

// The most memory the process has held at once, in bytes.
int64_t PeakMemory() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return int64_t{usage.ru_maxrss} * 1024;
}

// Only the header and the pixels it announces are read, so a giant file
// shows at once, without taking its size in memory.
TEST_F(MainWindowTest, AGiantLogoFileIsReadOnlyAsFarAsItsHeaderAnnounces) {
  const Bytes logo = Logo(50, 30, 0x9C00);
  {
    // The header, 3 GiB of nothing (sparse), then the pixels: rows are
    // found from the end of a file.
    const int fd = ::open(Work("big.kvx").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, logo.data(), 8, 0), 8);
    const off_t pixels = (off_t{3} << 30) + 8;
    ASSERT_EQ(::pwrite(fd, logo.data() + 8, logo.size() - 8, pixels), static_cast<ssize_t>(logo.size() - 8));
    ::close(fd);
  }
  WriteFile(Work("huge.kvx"), LogoBytes(100000, 100000, {}));
  const int64_t before = PeakMemory();
  TForm1& form = Start({"/s", Work("big.kvx")});
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_TRUE(ShowsLogo(logo, 50, 30, Rgb{0, 0, 0}));
  EXPECT_LT(PeakMemory() - before, int64_t{256} << 20);

  // A header beyond the largest logo read is refused before any pixel is.
  Press(form.ShowBtn);
  ClickRow(RowOf("huge.kvx"));
  ProcessEvents();
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text.toStdString(), "Logo too large: 100000 x 100000 pixels, more than 16777216.");
}

// A logo of the largest size shown is shown; one pixel more is refused from
// its header, before any pixel is read.
TEST_F(MainWindowTest, ALogoOfTheLargestSizeShowsAndOnePixelMoreIsRefusedAtOnce) {
  const int32_t side = 4096;
  // Sparse: the header, transparent pixels, and a white last one.
  const auto writeLogo = [&](const std::string& name, int32_t width, int32_t height) {
    const int fd = ::open(Work(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    uint8_t header[8];
    WriteLogoHeader(header, {width, height});
    const uint8_t white[2] = {0xFF, 0xFF};
    ASSERT_EQ(::pwrite(fd, header, 8, 0), 8);
    ASSERT_EQ(::pwrite(fd, white, 2, LogoFileSize(width, height) - 2), 2);
    ::close(fd);
  };
  writeLogo("largest.kvx", side, side);
  writeLogo("over.kvx", 1, side * side + 1);
  WriteFile(Work("small.kvx"), Logo(50, 30, 0x8421));

  // The peak is taken before the refused logo is ever clicked, and after a
  // click on a small one: what a first click costs (under AddressSanitizer
  // some 20 MiB) is not taken for pixels read.
  TForm1& form = Start({"/s", Work("small.kvx")});
  Press(form.ShowBtn);
  ClickRow(RowOf("small.kvx"));
  ProcessEvents();
  const int64_t before = PeakMemory();
  ClickRow(RowOf("over.kvx"));
  ProcessEvents();
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text.toStdString(), "Logo too large: 1 x 16777217 pixels, more than 16777216.");
  EXPECT_LT(PeakMemory() - before, int64_t{16} << 20);  // its 32 MiB of pixels unread

  ClickRow(RowOf("largest.kvx"));
  ProcessEvents();
  EXPECT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(SizeLabel(), "4096 x 4096  (no logo recognized)");
  const QImage& shown = form.Image1->Picture();
  ASSERT_EQ(shown.size(), QSize(side, side));
  EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(side - 1, side - 1), qRgb(0xF8, 0xF8, 0xF8));
  // The pixels read, the BMP image and the picture: 9 bytes a pixel.
  EXPECT_LT(PeakMemory() - before, int64_t{12} * side * side);
}

// A save whose output name leads to the file it converts writes nothing:
// x.bmp holding a logo, shown alone, or an output name that is a link to
// the file converted.
TEST_F(MainWindowTest, ASaveNeverWritesOverTheFileItConverts) {
  const Bytes logo = Logo(50, 30, 0x8421);
  WriteFile(Work("x.bmp"), logo);
  WriteFile(Work("y.kvx"), logo);
  ASSERT_EQ(::symlink("y.kvx", Work("y.bmp").c_str()), 0);
  const FolderSnapshot before = SnapshotFolder(sandbox_.Work());
  const auto refusal = [&](const std::string& name) {
    return "Datei \"" + Work(name) + "\" kann nicht erstellt werden. it is the file being converted.";
  };

  TForm1& form = Start({"/s", Work("x.bmp")});
  Press(form.SaveBtn);
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text.toStdString(), refusal("x.bmp"));

  Press(form.ShowBtn);
  ClickRow(RowOf("y.kvx"));
  Press(form.SaveBtn);
  ASSERT_EQ(boxes_.Boxes().size(), 2u);
  EXPECT_EQ(boxes_.Boxes()[1].text.toStdString(), refusal("y.bmp"));
  EXPECT_EQ(SnapshotFolder(sandbox_.Work()), before);
}

TEST_F(MainWindowTest, AFolderThatCannotBeSelectedIsReportedWithoutAFullStop) {
  Start({Work("missing/a.kvx")});
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text.toStdString(), "Fehler beim Festlegen des Pfades: \"" + Work("missing/") + "\"");
}

TEST_F(MainWindowTest, TabbingPassesTheHiddenShowButtonBy) {
  TForm1& form = Start();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, kGenerousMs));
  form.ShellTreeView1->setFocus();
  std::set<QWidget*> reached;
  for (int press = 0; press < 40; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached.insert(QApplication::focusWidget());
  }
  EXPECT_TRUE(reached.count(form.SaveBtn));
  EXPECT_FALSE(reached.count(form.ShowBtn));
}

TEST(SaveProgress, ABarCountsTheStepsOverTheGroupOnlyOnceTheDelayIsOverAndGoesWithTheSave) {
  controls::TGroupBox group(nullptr);
  group.resize(185, 41);
  group.show();
  {
    SaveProgress slow(group, 10, 3'600'000);
    slow.Step(9);
    EXPECT_EQ(group.findChild<QProgressBar*>(), nullptr);
  }
  std::optional<SaveProgress> progress(std::in_place, group, 10, 0);
  progress->Step(2);
  const QProgressBar* bar = group.findChild<QProgressBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->value(), 2);
  EXPECT_EQ(bar->maximum(), 10);
  progress.reset();
  EXPECT_EQ(group.findChild<QProgressBar*>(), nullptr);
}

}  // namespace
}  // namespace lum::test
