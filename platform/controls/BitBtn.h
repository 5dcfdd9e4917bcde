// TBitBtn: a push button with a glyph centred above its caption, and a
// hint that shows when the mouse rests on it.
#pragma once

#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace lum::controls {

class TBitBtn : public QPushButton {
 public:
  /// The button's frame on each side, inside which glyph and caption are
  /// centred.
  static constexpr int kFrame = 2;

  explicit TBitBtn(QWidget* parent);

  void SetCaption(const QString& caption) { setText(caption); }
  QString Caption() const { return text(); }

  /// `bitmap` holds NumGlyphs pictures side by side: the first is drawn
  /// while the button is enabled (also while pressed), the second while it
  /// is disabled. The colour of the bitmap's bottom-left pixel is
  /// transparent.
  void SetGlyph(const QImage& bitmap);
  void SetNumGlyphs(int count);
  /// The picture drawn in the given state, with its transparent pixels.
  QImage Glyph(bool enabled) const;

  /// The hint shows after the mouse has rested on the button for 500 ms
  /// and hides after 2500 ms, when ShowHint is set.
  void SetHint(const QString& hint);
  QString Hint() const { return hint_; }
  void SetShowHint(bool show) { showHint_ = show; }
  bool ShowHint() const { return showHint_; }

  /// Runs when the button is pressed with the mouse or the keyboard.
  std::function<void()> OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ShowHintNow();
  void HideHint();

  QImage bitmap_;
  int numGlyphs_ = 1;
  QString hint_;
  bool showHint_ = false;
  bool hintShown_ = false;
  QTimer hintTimer_;
};

}  // namespace lum::controls
