// The main window's controls: created, placed and set as designed at 96
// pixels per inch (the form rescales them to the screen), then wired to
// their handlers.
#include <QImage>
#include <QString>
#include <QStringList>

#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioGroup.h"
#include "platform/controls/Splitter.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/Unit1.h"

namespace lum {

namespace {

using controls::alBottom;
using controls::alClient;
using controls::alLeft;
using controls::alNone;
using controls::TAlign;

constexpr int kNoTabOrder = -1;

// A control named `name` in `parent` at left, top, width, height.
template <class Control>
Control* Make(QWidget* parent, const char* name, QRect bounds, TAlign align = alNone, int tabOrder = kNoTabOrder) {
  auto* control = new Control(parent);
  control->setObjectName(QString::fromLatin1(name));
  controls::SetBounds(*control, bounds);
  controls::SetAlign(*control, align);
  if (tabOrder != kNoTabOrder) controls::SetTabOrder(*control, tabOrder);
  return control;
}

template <class Box>
Box* Captioned(Box* box, const char* caption) {
  box->SetCaption(QString::fromUtf8(caption));
  return box;
}

controls::TRadioGroup* Items(controls::TRadioGroup* group, int columns, const QStringList& items) {
  group->SetColumns(columns);
  group->SetItems(items);
  group->SetItemIndex(0);
  return group;
}

controls::TBitBtn* Glyph(controls::TBitBtn* button, const char* picture) {
  button->SetNumGlyphs(2);
  button->SetGlyph(QImage(QString::fromLatin1(picture)));
  return button;
}

}  // namespace

TForm1::TForm1() {
  setObjectName(QStringLiteral("Form1"));
  SetCaption(QStringLiteral("Lumiq V1.5a voor de Corvane tap"));
  resize(815, 473);
  CreateControls();
  WireEvents();
  controls::ApplyTabOrder(*this);
  // Every control exists: the browser resolves its root and fills itself.
  ShellTreeView1->Loaded();
  ShellListView1->Loaded();
}

void TForm1::CreateControls() {
  Panel1 = Make<controls::TPanel>(this, "Panel1", {0, 0, 815, 294}, alClient, 0);
  ShellTreeView1 = Make<TShellTreeView>(Panel1, "ShellTreeView1", {1, 1, 224, 292}, alLeft, 0);
  Splitter1 = Make<controls::TSplitter>(Panel1, "Splitter1", {225, 1, 3, 292}, alLeft);
  ShellListView1 = Make<TShellListView>(Panel1, "ShellListView1", {228, 1, 586, 292}, alClient, 1);
  Panel2 = Make<controls::TPanel>(this, "Panel2", {0, 296, 815, 177}, alBottom, 1);
  gbOriginal = Captioned(Make<controls::TGroupBox>(Panel2, "gbOriginal", {8, 8, 129, 65}, alNone, 0), "Origineel    ");
  Image1 = Make<controls::TImage>(gbOriginal, "Image1", {8, 16, 54, 34});
  GroupBox2 = Captioned(Make<controls::TGroupBox>(Panel2, "GroupBox2", {8, 80, 129, 89}, alNone, 1), "Zoom 2x");
  Image2 = Make<controls::TImage>(GroupBox2, "Image2", {5, 13, 108, 68});
  GroupBox3 = Captioned(Make<controls::TGroupBox>(Panel2, "GroupBox3", {144, 8, 233, 161}, alNone, 2), "Zoom 4x");
  Image3 = Make<controls::TImage>(GroupBox3, "Image3", {7, 14, 216, 136});
  Splitter2 = Make<controls::TSplitter>(this, "Splitter2", {0, 294, 815, 2}, alBottom);
  rgTransparency = Items(Captioned(Make<controls::TRadioGroup>(Panel2, "rgTransparency", {384, 8, 185, 113}, alNone, 3),
                                   "Transparantie kleur "),
                         2, {"Zwart", "Blauw(donk)", "Groen (donk)", "Rood(donk)", "Grijs(donk)", "Wit  ", "Blau",
                             "Groen", "Roo", "Grij"});
  SaveBtn = Glyph(Captioned(Make<controls::TBitBtn>(Panel2, "SaveBtn", {576, 120, 113, 49}, alNone, 4), "Save as *.BMP"),
                  ":/glyphs/SaveBtn.bmp");
  rgListStyle = Items(Captioned(Make<controls::TRadioGroup>(Panel2, "rgListStyle", {696, 8, 113, 105}, alNone, 5),
                                "Beeld     "),
                      1, {"Lst.", "Gro.iconen ", "Kle.iconen ", "Details"});
  rgMode = Items(Captioned(Make<controls::TRadioGroup>(Panel2, "rgMode", {576, 8, 113, 49}, alNone, 6), "Mode"), 1,
                 {"KVX -> BMP    ", "BMP -> KVX    "});
  ShowBtn = Glyph(Captioned(Make<controls::TBitBtn>(Panel2, "ShowBtn", {696, 120, 113, 49}, alNone, 7), "Show browser"),
                  ":/glyphs/ShowBtn.bmp");
  gbSize = Captioned(Make<controls::TGroupBox>(Panel2, "gbSize", {384, 128, 185, 41}, alNone, 8), "Size");
  lblSize = Make<controls::TLabel>(gbSize, "lblSize", {16, 16, 3, 13});
  rgSetTrans = Items(Captioned(Make<controls::TRadioGroup>(Panel2, "rgSetTrans", {576, 63, 113, 50}, alNone, 9),
                               "Zet transparatie"),
                     2, {"Auto", "On", "Uit"});

  SaveBtn->SetHint(QStringLiteral("Saves all selected files"));
  SaveBtn->SetShowHint(true);
  ShowBtn->setVisible(false);
  Image2->SetStretch(true);
  Image3->SetStretch(true);

  ShellTreeView1->SetObjectTypes({otFolders});
  ShellTreeView1->SetRoot("rfDesktop");
  ShellTreeView1->SetUseShellImages(true);
  ShellTreeView1->SetAutoRefresh(true);
  ShellTreeView1->SetIndent(19);
  ShellTreeView1->SetParentColor(false);
  ShellTreeView1->SetRightClickSelect(true);
  ShellTreeView1->SetShowRoot(false);

  ShellListView1->SetAutoRefresh(true);
  ShellListView1->SetObjectTypes({otNonFolders});
  ShellListView1->SetRoot("rfDesktop");
  ShellListView1->SetSorted(true);
  ShellListView1->SetReadOnly(false);
  ShellListView1->SetHideSelection(false);
  ShellListView1->SetMultiSelect(true);
  ShellListView1->SetViewStyle(vsList);

  ShellTreeView1->SetShellListView(ShellListView1);
  ShellListView1->SetShellTreeView(ShellTreeView1);
}

void TForm1::WireEvents() {
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnCanResize = [this](int newWidth, int newHeight, bool& resize) { FormCanResize(newWidth, newHeight, resize); };
  OnDestroy = [this] { FormDestroy(); };
  ShellListView1->SetOnAddFolder([this](TCustomShellListView& sender, TShellFolder* folder, bool& canAdd) {
    ShellListView1AddFolder(sender, folder, canAdd);
  });
  ShellListView1->SetOnClick([this](TCustomShellListView&) { ShellListView1Click(); });
  ShellListView1->SetOnColumnClick([this](TCustomShellListView&, int column) { ShellListView1ColumnClick(column); });
  ShellListView1->SetOnKeyUp([this](TCustomShellListView&, int&, Qt::KeyboardModifiers) { ShellListView1KeyUp(); });
  rgTransparency->OnClick = [this] { rgTransparencyClick(); };
  rgMode->OnClick = [this] { rgModeClick(); };
  rgListStyle->OnClick = [this] { rgListStyleClick(); };
  SaveBtn->OnClick = [this] { SaveBtnClick(); };
  ShowBtn->OnClick = [this] { ShowBtnClick(); };
}

}  // namespace lum
