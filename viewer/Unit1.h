// TForm1, Lumiq's main window: the folder tree and the file list above, the
// previews at 1x, 2x and 4x, the options and the buttons below, and the
// handlers that make them a viewer and converter.
//
// Unit1Layout.cpp creates, places and wires the controls; Unit1.cpp holds
// the handlers; Unit1Rules.h the rules that need no window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "codec/ByteBuffer.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/controls/Form.h"

namespace lum::controls {
class TBitBtn;
class TGroupBox;
class TImage;
class TLabel;
class TPanel;
class TRadioGroup;
class TSplitter;
}  // namespace lum::controls

namespace lum {

class TShellListView;
class TShellTreeView;
class TCustomShellListView;
class TShellFolder;

class TForm1 : public controls::TForm {
 public:
  /// Builds the window; the tree and the list fill themselves (the desktop).
  TForm1();
  ~TForm1() override;

  // The controls, in the order the window declares them; the window owns
  // them.
  controls::TPanel* Panel1;
  TShellTreeView* ShellTreeView1;
  controls::TSplitter* Splitter1;
  TShellListView* ShellListView1;
  controls::TPanel* Panel2;
  controls::TGroupBox* gbOriginal;
  controls::TImage* Image1;
  controls::TGroupBox* GroupBox2;
  controls::TImage* Image2;
  controls::TGroupBox* GroupBox3;
  controls::TImage* Image3;
  controls::TSplitter* Splitter2;
  controls::TRadioGroup* rgTransparency;
  controls::TBitBtn* SaveBtn;
  controls::TRadioGroup* rgListStyle;
  controls::TRadioGroup* rgMode;
  controls::TBitBtn* ShowBtn;
  controls::TGroupBox* gbSize;
  controls::TLabel* lblSize;
  controls::TRadioGroup* rgSetTrans;

 private:
  void CreateControls();
  void WireEvents();

  // Handlers.
  void FormCreate();
  void FormDestroy();
  void FormShow();
  void FormCanResize(int newWidth, int newHeight, bool& resize);
  void ShellListView1AddFolder(TCustomShellListView& sender, TShellFolder* folder, bool& canAdd);
  void ShellListView1Click();
  void ShellListView1KeyUp();
  void rgTransparencyClick();
  void rgModeClick();
  void rgListStyleClick();
  void ShellListView1ColumnClick(int column);
  void SaveBtnClick();
  void ShowBtnClick();

  // Private operations.
  void ShowSelected();
  void LoadLogoFile(const std::string& path);
  void LoadBitmapFile(const std::string& path);
  void ShowPicture(const platform::Bitmap& bitmap, int32_t width, int32_t height);
  void UpdateSizeLabel(int32_t width, int32_t height);
  bool IsWantedFile(const std::string& path) const;
  void SelectCommandLineFile();
  void SaveLogosAsBitmaps();
  void SaveBitmapsAsLogos();
  void SaveSelectedFiles(const std::function<void(const std::string& path)>& save);

  // State.
  std::unique_ptr<ByteBuffer> InputBuffer;   ///< the logo last read or encoded
  std::unique_ptr<ByteBuffer> OutputBuffer;  ///< the BMP image last decoded
  platform::Bitmap image1Bitmap_;            ///< Image1's bitmap: what a save writes or encodes
  std::string SaveExtension;
  std::string CommandLineFile;
  bool SingleFileMode = false;
  int32_t SortColumn = 0;
};

}  // namespace lum
