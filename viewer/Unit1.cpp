// The handlers of Lumiq's main window and the operations they share, in the
// order of the window's life: creation, showing, the browser, the options,
// the saves.
#include "viewer/Unit1.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "codec/Decoder.h"
#include "codec/Encoder.h"
#include "codec/FileNames.h"
#include "codec/LogoFormat.h"
#include "platform/controls/Application.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioGroup.h"
#include "platform/controls/Splitter.h"
#include "platform/files/HostFiles.h"
#include "platform/files/LogoFileRead.h"
#include "viewer/SaveProgress.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/Unit1Rules.h"

namespace lum {

namespace {

// A preview's size from numbers that may be anything a header holds.
int PreviewSide(int64_t pixels) { return static_cast<int>(std::clamp<int64_t>(pixels, 0, QWIDGETSIZE_MAX)); }

}  // namespace

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  InputBuffer = std::make_unique<ByteBuffer>();
  OutputBuffer = std::make_unique<ByteBuffer>();
  // The window's size already follows its controls' scale (TForm), which
  // takes the resolution in through the font.
}

void TForm1::FormDestroy() {
  InputBuffer.reset();
  OutputBuffer.reset();
}

void TForm1::FormShow() {
  const std::vector<std::string>& arguments = controls::ParamStrings();
  if (arguments.empty()) return;
  const TCommandLine commandLine = ReadCommandLine(arguments);
  SingleFileMode = commandLine.singleFileMode;
  CommandLineFile = commandLine.file;
  if (!SingleFileMode) {
    SelectCommandLineFile();
    return;
  }
  ShellTreeView1->setEnabled(false);
  ShellListView1->setEnabled(false);
  rgMode->setEnabled(false);
  rgListStyle->setVisible(false);
  ShowBtn->setVisible(true);
  // The resize lock is lifted for the window's own change.
  SingleFileMode = false;
  SetClientHeight(Splitter2->height() + Panel2->height());
  SingleFileMode = true;
  ShowSelected();
}

void TForm1::FormCanResize(int, int, bool& resize) {
  if (SingleFileMode) resize = false;
}

void TForm1::ShellListView1AddFolder(TCustomShellListView&, TShellFolder* folder, bool& canAdd) {
  canAdd = true;
  try {
    canAdd = !folder->IsFolderItem() && IsWantedFile(folder->FullPath());
  } catch (...) {
    canAdd = false;  // an item that can't be asked is not shown
  }
}

void TForm1::ShellListView1Click() { ShowSelected(); }

void TForm1::ShellListView1KeyUp() { ShowSelected(); }

void TForm1::rgTransparencyClick() { ShowSelected(); }

void TForm1::rgModeClick() {
  ShellListView1->Rescan();
  if (rgMode->ItemIndex() == kLogoToBmp) {
    SaveBtn->SetCaption(QStringLiteral("Opsl.als*.BMP"));
    rgTransparency->setEnabled(true);
  } else {
    rgTransparency->SetItemIndex(0);
    rgTransparency->setEnabled(false);
    SaveBtn->SetCaption(QStringLiteral("Opslaan als *.KVX"));
  }
  ShowSelected();
}

void TForm1::rgListStyleClick() {
  static constexpr TViewStyle kStyles[] = {vsList, vsIcon, vsSmallIcon, vsReport};
  const int index = rgListStyle->ItemIndex();
  if (index >= 0 && index < static_cast<int>(std::size(kStyles))) ShellListView1->SetViewStyle(kStyles[index]);
}

// Ascending by the clicked column of the folder's own order, every time.
// The list reads each row's key once; its rows keep their selection.
void TForm1::ShellListView1ColumnClick(int column) {
  SortColumn = column;
  ShellListView1->SortRows(SortColumn);
  ShellListView1->update();
}

void TForm1::SaveBtnClick() {
  if (rgMode->ItemIndex() == kLogoToBmp) {
    SaveLogosAsBitmaps();
  } else {
    SaveBitmapsAsLogos();
  }
}

void TForm1::ShowBtnClick() {
  ShellTreeView1->setEnabled(true);
  ShellListView1->setEnabled(true);
  rgMode->setEnabled(true);
  rgListStyle->setVisible(true);
  ShowBtn->setVisible(false);
  SingleFileMode = false;
  SetClientHeight(Scaled(500));
  SelectCommandLineFile();
}

// Transparent pixels are black in every saved bitmap.
void TForm1::SaveLogosAsBitmaps() {
  if (rgTransparency->ItemIndex() != 0) {
    rgTransparency->SetItemIndex(0);
    ShowSelected();
  }
  if (SingleFileMode && !CommandLineFile.empty()) {
    // Decoded anew, so that a file that can't be shown writes nothing
    // instead of the empty picture its failure left.
    LoadLogoFile(CommandLineFile);
    image1Bitmap_.SaveToFile(SaveNameFor(CommandLineFile, ".bmp"));
    return;
  }
  SaveSelectedFiles([this](const std::string& path) {
    LoadLogoFile(path);
    image1Bitmap_.SaveToFile(SaveNameFor(path, ".bmp"));
  });
}

void TForm1::SaveBitmapsAsLogos() {
  SaveSelectedFiles([this](const std::string& path) {
    LoadBitmapFile(path);
    const int32_t width = Image1->width();
    const int32_t height = Image1->height();
    EncodeLogo(image1Bitmap_, TransparencyFlag(rgSetTrans->ItemIndex(), width, height), *InputBuffer);
    InputBuffer->SaveToFile(SaveNameFor(path, SaveExtension), platform::HostFiles());
  });
}

// The selected files from the top of the list down; the first failure ends
// the save, and the files before it stay written.
void TForm1::SaveSelectedFiles(const std::function<void(const std::string& path)>& save) {
  std::vector<int> selected;
  const int rows = ShellListView1->RowCount();
  for (int row = 0; row < rows; ++row) {
    if (ShellListView1->IsRowSelected(row)) selected.push_back(row);
  }
  SaveProgress progress(*gbSize, static_cast<int>(selected.size()));
  int done = 0;
  for (int row : selected) {
    save(ShellListView1->FolderAt(row)->FullPath());
    progress.Step(++done);
  }
}

void TForm1::ShowSelected() {
  if (SingleFileMode) {
    LoadLogoFile(CommandLineFile);
    return;
  }
  const int row = ShellListView1->FirstSelectedRow();
  if (row < 0) {
    image1Bitmap_ = platform::Bitmap();
    for (controls::TImage* image : {Image1, Image2, Image3}) image->SetPicture(QImage());
    UpdateSizeLabel(0, 0);
    return;
  }
  const std::string path = ShellListView1->FolderAt(row)->FullPath();
  if (rgMode->ItemIndex() == kLogoToBmp) {
    LoadLogoFile(path);
  } else {
    LoadBitmapFile(path);
  }
}

void TForm1::LoadLogoFile(const std::string& path) {
  // Only what the decoder reads, and no more than a logo can hold: a file of
  // any size is answered at once.
  platform::ReadLogoFile(path, *InputBuffer);
  const LogoHeader header = DecodeLogoBytes(InputBuffer->Data(), static_cast<size_t>(InputBuffer->Size()),
                                            rgTransparency->ItemIndex(), *OutputBuffer);
  // A logo without pixels (0 x 0, say) shows an empty picture.
  platform::Bitmap bitmap;
  if (header.width != 0 && header.height != 0)
    bitmap = platform::Bitmap::LoadFromMemory(OutputBuffer->Data(), static_cast<size_t>(OutputBuffer->Size()));
  ShowPicture(bitmap, header.width, header.height);
  image1Bitmap_ = std::move(bitmap);
}

// The file is read once; the three previews share its picture.
void TForm1::LoadBitmapFile(const std::string& path) {
  platform::Bitmap bitmap = platform::Bitmap::LoadFromFile(path);
  ShowPicture(bitmap, bitmap.Width(), bitmap.Height());
  image1Bitmap_ = std::move(bitmap);
}

// Image1 at the image's size, the other two at twice and four times that.
void TForm1::ShowPicture(const platform::Bitmap& bitmap, int32_t width, int32_t height) {
  const QImage picture = bitmap.Picture();
  controls::SetBounds(*Image1, Image1->x(), Image1->y(), PreviewSide(width), PreviewSide(height));
  Image1->SetPicture(picture);
  UpdateSizeLabel(width, height);
  const int64_t shownWidth = Image1->width();
  const int64_t shownHeight = Image1->height();
  controls::SetBounds(*Image2, Image2->x(), Image2->y(), PreviewSide(2 * shownWidth), PreviewSide(2 * shownHeight));
  Image2->SetPicture(picture);
  controls::SetBounds(*Image3, Image3->x(), Image3->y(), PreviewSide(4 * shownWidth), PreviewSide(4 * shownHeight));
  Image3->SetPicture(picture);
}

void TForm1::UpdateSizeLabel(int32_t width, int32_t height) {
  lblSize->SetCaption(QString::fromStdString(SizeLabelText(width, height)));
  SaveExtension = SizeClassExtension(ClassifySize(width, height));
}

bool TForm1::IsWantedFile(const std::string& path) const { return IsWantedFileName(path, rgMode->ItemIndex()); }

void TForm1::SelectCommandLineFile() {
  if (CommandLineFile.empty()) return;
  ShellTreeView1->SelectPath(ExtractFilePath(CommandLineFile));
  const int rows = ShellListView1->RowCount();
  for (int row = 0; row < rows; ++row) {
    if (ShellListView1->FolderAt(row)->FullPath() == CommandLineFile) {
      ShellListView1->SelectRow(row);
      ShowSelected();
      return;
    }
  }
}

}  // namespace lum
