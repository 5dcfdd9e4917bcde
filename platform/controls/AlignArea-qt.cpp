#include "platform/controls/AlignArea.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "platform/controls/Control.h"

namespace lum::controls {

namespace {

const QString kObjectName = QStringLiteral("lum_align_area");
int suspensions = 0;
std::vector<QPointer<AlignArea>> pending;

}  // namespace

AlignArea::AlignArea(QWidget& container, std::function<QRect()> clientRect)
    : QObject(&container), container_(container), clientRect_(std::move(clientRect)) {
  setObjectName(kObjectName);
  for (QObject* child : container.children()) {
    if (child->isWidgetType()) {
      children_.emplace_back(static_cast<QWidget*>(child));
      child->installEventFilter(this);
    }
  }
  container.installEventFilter(this);
}

AlignArea* AlignArea::Of(const QWidget* container) {
  if (!container) return nullptr;
  // Found by name: the class has no meta-object of its own to cast by.
  return static_cast<AlignArea*>(container->findChild<QObject*>(kObjectName, Qt::FindDirectChildrenOnly));
}

void AlignArea::RealignTree(QWidget& root) {
  if (AlignArea* area = Of(&root)) area->Realign();
  for (QObject* area : root.findChildren<QObject*>(kObjectName)) static_cast<AlignArea*>(area)->Realign();
}

std::vector<QWidget*> AlignArea::Children() const {
  std::vector<QWidget*> result;
  for (const QPointer<QWidget>& child : children_) {
    if (child && child->parentWidget() == &container_) result.push_back(child);
  }
  return result;
}

void AlignArea::Realign() {
  if (suspensions > 0) {
    if (std::find(pending.begin(), pending.end(), this) == pending.end()) pending.emplace_back(this);
    return;
  }
  if (aligning_) return;
  aligning_ = true;
  const QRect area = clientRect_();
  int left = area.left();
  int top = area.top();
  int right = left + area.width();
  int bottom = top + area.height();
  for (const TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (QWidget* child : Children()) {
      if (AlignOf(*child) != kind || child->isHidden()) continue;
      const int width = child->width();
      const int height = child->height();
      const int stripWidth = std::max(0, right - left);
      const int stripHeight = std::max(0, bottom - top);
      const QSize before = child->size();
      switch (kind) {
        case alTop:
          child->setGeometry(left, top, stripWidth, height);
          top += height;
          break;
        case alBottom:
          child->setGeometry(left, bottom - height, stripWidth, height);
          bottom -= height;
          break;
        case alLeft:
          child->setGeometry(left, top, width, stripHeight);
          left += width;
          break;
        case alRight:
          child->setGeometry(right - width, top, width, stripHeight);
          right -= width;
          break;
        case alClient:
          child->setGeometry(left, top, stripWidth, stripHeight);
          break;
        case alNone:
          break;
      }
      // A hidden container hears of its new size only when shown.
      if (child->size() != before) {
        if (AlignArea* inner = Of(child)) inner->Realign();
      }
    }
  }
  aligning_ = false;
}

bool AlignArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &container_) {
    if (event->type() == QEvent::Resize) {
      Realign();
    } else if (event->type() == QEvent::ChildAdded) {
      QObject* child = static_cast<QChildEvent*>(event)->child();
      if (child->isWidgetType()) {
        children_.emplace_back(static_cast<QWidget*>(child));
        child->installEventFilter(this);
      }
    } else if (event->type() == QEvent::ChildRemoved) {
      QObject* child = static_cast<QChildEvent*>(event)->child();
      children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
      // An aligned child that goes leaves its strip to the others.
      Realign();
    }
  } else if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
    const auto* child = static_cast<QWidget*>(watched);
    if (child->parentWidget() == &container_ && AlignOf(*child) != alNone) Realign();
  }
  return false;
}

AlignSuspension::AlignSuspension() { ++suspensions; }

AlignSuspension::~AlignSuspension() {
  if (--suspensions > 0) return;
  std::vector<QPointer<AlignArea>> areas;
  areas.swap(pending);
  for (const QPointer<AlignArea>& area : areas) {
    if (area) area->Realign();
  }
}

}  // namespace lum::controls
