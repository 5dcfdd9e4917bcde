// A form with the window controls in the main window's lower panel layout,
// for looking at them:
//   show_controls [--grab picture.png]
// With --grab the window is drawn into the picture and the program ends.
#include <QImage>
#include <QTimer>
#include <QTreeWidget>

#include "platform/controls/Application.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioGroup.h"
#include "platform/controls/Splitter.h"

namespace {

using namespace lum::controls;

template <class Control>
Control* Make(QWidget* parent, const char* name, QRect bounds, TAlign align = alNone) {
  auto* control = new Control(parent);
  control->setObjectName(QString::fromLatin1(name));
  SetBounds(*control, bounds);
  SetAlign(*control, align);
  return control;
}

TRadioGroup* Group(QWidget* parent, const char* name, QRect bounds, const QString& caption, int columns,
                   const QStringList& items) {
  auto* group = Make<TRadioGroup>(parent, name, bounds);
  group->SetCaption(caption);
  group->SetColumns(columns);
  group->SetItems(items);
  group->SetItemIndex(0);
  return group;
}

// A little checkered logo to preview.
QImage Logo() {
  QImage logo(54, 34, QImage::Format_RGB32);
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) logo.setPixel(x, y, ((x / 6 + y / 6) % 2) ? qRgb(200, 30, 30) : qRgb(250, 220, 40));
  }
  return logo;
}

class DemoForm : public TForm {
 public:
  DemoForm() {
    setObjectName(QStringLiteral("Form1"));
    SetCaption(QStringLiteral("Lumiq V1.5a voor de Corvane tap"));
    resize(815, 473);
    auto* panel1 = Make<TPanel>(this, "Panel1", {0, 0, 815, 294}, alClient);
    auto* tree = Make<QTreeWidget>(panel1, "ShellTreeView1", {1, 1, 224, 292}, alLeft);
    tree->setHeaderHidden(true);
    new QTreeWidgetItem(tree, QStringList(QStringLiteral("Bureaublad")));
    Make<TSplitter>(panel1, "Splitter1", {225, 1, 3, 292}, alLeft);
    Make<QTreeWidget>(panel1, "ShellListView1", {228, 1, 586, 292}, alClient)->setHeaderHidden(true);
    auto* panel2 = Make<TPanel>(this, "Panel2", {0, 296, 815, 177}, alBottom);
    auto* original = Make<TGroupBox>(panel2, "gbOriginal", {8, 8, 129, 65});
    original->SetCaption(QStringLiteral("Origineel    "));
    Make<TImage>(original, "Image1", {8, 16, 54, 34})->SetPicture(Logo());
    auto* zoom2 = Make<TGroupBox>(panel2, "GroupBox2", {8, 80, 129, 89});
    zoom2->SetCaption(QStringLiteral("Zoom 2x"));
    auto* image2 = Make<TImage>(zoom2, "Image2", {5, 13, 108, 68});
    image2->SetStretch(true);
    image2->SetPicture(Logo());
    auto* zoom4 = Make<TGroupBox>(panel2, "GroupBox3", {144, 8, 233, 161});
    zoom4->SetCaption(QStringLiteral("Zoom 4x"));
    auto* image3 = Make<TImage>(zoom4, "Image3", {7, 14, 216, 136});
    image3->SetStretch(true);
    image3->SetPicture(Logo());
    Group(panel2, "rgTransparency", {384, 8, 185, 113}, QStringLiteral("Transparantie kleur "), 2,
          {"Zwart", "Blauw(donk)", "Groen (donk)", "Rood(donk)", "Grijs(donk)", "Wit  ", "Blau", "Groen", "Roo", "Grij"});
    auto* save = Make<TBitBtn>(panel2, "SaveBtn", {576, 120, 113, 49});
    save->SetCaption(QStringLiteral("Save as *.BMP"));
    save->SetHint(QStringLiteral("Saves all selected files"));
    save->SetShowHint(true);
    save->SetNumGlyphs(2);
    save->SetGlyph(QImage(QStringLiteral(":/glyphs/SaveBtn.bmp")));
    Group(panel2, "rgListStyle", {696, 8, 113, 105}, QStringLiteral("Beeld     "), 1,
          {"Lst.", "Gro.iconen ", "Kle.iconen ", "Details"});
    Group(panel2, "rgMode", {576, 8, 113, 49}, QStringLiteral("Mode"), 1, {"KVX -> BMP    ", "BMP -> KVX    "});
    auto* show = Make<TBitBtn>(panel2, "ShowBtn", {696, 120, 113, 49});
    show->SetCaption(QStringLiteral("Show browser"));
    show->SetNumGlyphs(2);
    show->SetGlyph(QImage(QStringLiteral(":/glyphs/ShowBtn.bmp")));
    auto* size = Make<TGroupBox>(panel2, "gbSize", {384, 128, 185, 41});
    size->SetCaption(QStringLiteral("Size"));
    Make<TLabel>(size, "lblSize", {16, 16, 3, 13})->SetCaption(QStringLiteral("54 x 34  (HZN compatible)"));
    Group(panel2, "rgSetTrans", {576, 63, 113, 50}, QStringLiteral("Zet transparatie"), 2, {"Auto", "On", "Uit"});
    Make<TSplitter>(this, "Splitter2", {0, 294, 815, 2}, alBottom);
  }
};

}  // namespace

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  DemoForm& form = application.CreateForm<DemoForm>();
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--grab")) {
    const QString path = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(300, &form, [&form, path] {
      form.grab().save(path);
      form.close();
    });
  }
  return application.Run();
}
