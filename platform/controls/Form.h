// TForm: a top-level window whose client area aligns its controls, with the
// life-cycle events, a size veto and centring when first shown.
#pragma once

#include <QSize>
#include <QWidget>
#include <functional>

#include "platform/controls/Scaling.h"

namespace lum::controls {

class TForm : public QWidget {
 public:
  /// A hidden window with the forms' font for the screen's resolution.
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  /// After the layout is built: scales the controls and the client area to
  /// the screen and the font (FormScale), then runs OnCreate. The
  /// application object calls it (CreateForm).
  void AfterConstruction();
  /// Before the window goes: runs OnDestroy, once. The application object
  /// calls it; whoever else owns a form calls it before deleting it.
  void BeforeDestruction();

  /// Every event handler runs through the exception guard: a failure is
  /// shown, and the window goes on.
  std::function<void()> OnCreate;
  /// Runs each time the window is about to become visible, before it is
  /// centred (on its first showing) and shown.
  std::function<void()> OnShow;
  std::function<void()> OnDestroy;
  /// Asked before every change of the window's size, by the user, the
  /// window manager or the program, with the new outer size; setting
  /// `resize` to false refuses the change. Also asked about the current
  /// size, so that a window it holds cannot even be dragged, maximised or
  /// made full screen: answer, and do nothing else.
  std::function<void(int newWidth, int newHeight, bool& resize)> OnCanResize;

  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  QString Caption() const { return windowTitle(); }

  int ClientWidth() const { return width(); }
  int ClientHeight() const { return height(); }
  /// Change the client area's size, when OnCanResize allows it.
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  void SetClientSize(int width, int height);

  /// P, the resolution the form was scaled for (see ScreenPixelsPerInch).
  int PixelsPerInch() const { return pixelsPerInch_; }
  /// A length of the design in pixels at the form's scale.
  int Scaled(int designPixels) const;

  void setVisible(bool visible) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool AllowsSize(const QSize& clientSize);
  void HoldSize();
  void RefuseFullSizeWhileHeld();
  void Centre();

  int pixelsPerInch_;
  ScaleFactor scale_;
  QSize acceptedSize_;
  bool centred_ = false;
  bool destroyed_ = false;
};

}  // namespace lum::controls
