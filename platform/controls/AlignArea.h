// The aligning of one container's children: the form's client area, a
// panel inside its bevel, a group box inside its frame.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <vector>

class QWidget;

namespace lum::controls {

/// Owned by its container (a child QObject of it). Watches the container's
/// size and its children's creation, showing and hiding, and places the
/// aligned children whenever one of these changes.
class AlignArea : public QObject {
 public:
  /// `clientRect` gives the rectangle the aligned children share.
  AlignArea(QWidget& container, std::function<QRect()> clientRect);

  /// The AlignArea of `container`, if it has one.
  static AlignArea* Of(const QWidget* container);
  /// Aligns the children of `root` and of every container below it,
  /// parents first (aligning a parent resizes its aligned children).
  static void RealignTree(QWidget& root);

  QRect ClientRect() const { return clientRect_(); }
  /// Places the aligned children now (unless aligning is disabled).
  void Realign();

  /// The container's child widgets in the order they were created.
  std::vector<QWidget*> Children() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& container_;
  std::function<QRect()> clientRect_;
  std::vector<QPointer<QWidget>> children_;
  bool aligning_ = false;
};

/// While an object of this class lives, no container aligns its children;
/// when the last one goes, every container that asked meanwhile aligns
/// (so that controls can be moved one by one without being pushed around).
class AlignSuspension {
 public:
  AlignSuspension();
  ~AlignSuspension();
  AlignSuspension(const AlignSuspension&) = delete;
  AlignSuspension& operator=(const AlignSuspension&) = delete;
};

}  // namespace lum::controls
