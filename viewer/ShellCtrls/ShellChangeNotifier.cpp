#include "viewer/ShellCtrls/ShellChangeNotifier.h"

#include <utility>

#include "platform/watch/ChangeHandle.h"

namespace lum {

uint32_t NotifyFilterBits(TNotifyFilters filters) {
  struct Mapping {
    TNotifyFilter filter;
    uint32_t bit;
  };
  static constexpr Mapping kMappings[] = {
      {nfFileNameChange, platform::kChangeFileName},   {nfDirNameChange, platform::kChangeDirName},
      {nfAttributeChange, platform::kChangeAttributes}, {nfSizeChange, platform::kChangeSize},
      {nfWriteChange, platform::kChangeLastWrite},      {nfSecurityChange, platform::kChangeSecurity},
  };
  uint32_t bits = 0;
  for (const Mapping& mapping : kMappings) {
    if (filters.testFlag(mapping.filter)) bits |= mapping.bit;
  }
  return bits;
}

TCustomShellChangeNotifier::TCustomShellChangeNotifier(QObject* owner) : QObject(owner) {}

TCustomShellChangeNotifier::~TCustomShellChangeNotifier() {
  if (thread_) thread_->Terminate();
}

// Folder names on Linux differ by letter case, so a Root that differs from
// the old one only in case names another folder and is taken.
void TCustomShellChangeNotifier::SetRoot(const std::string& root) {
  if (root == root_) return;
  root_ = root;
  HandOverSettings();
}

void TCustomShellChangeNotifier::SetWatchSubTree(bool watchSubTree) {
  if (watchSubTree == watchSubTree_) return;
  watchSubTree_ = watchSubTree;
  HandOverSettings();
}

void TCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters filters) {
  if (filters == notifyFilters_) return;
  notifyFilters_ = filters;
  HandOverSettings();
}

void TCustomShellChangeNotifier::SetOnChange(TThreadMethod onChange) {
  onChange_ = std::move(onChange);
  if (onChange_ && !(thread_ && thread_->Running())) StartWorker();
}

TWatchSettings TCustomShellChangeNotifier::Settings() const {
  return {root_, watchSubTree_, NotifyFilterBits(notifyFilters_)};
}

void TCustomShellChangeNotifier::HandOverSettings() {
  if (!thread_ || thread_->SetDirectoryOptions(Settings())) return;
  // The worker ended by itself, as its folder could not be watched; one for
  // the new settings takes its place.
  if (onChange_) StartWorker();
}

void TCustomShellChangeNotifier::StartWorker() {
  if (thread_) thread_->Terminate();
  // The worker runs this on the window's thread only while the link is not
  // terminated, and the link is terminated (on that thread) before this
  // notifier goes, so `this` is alive whenever it runs.
  thread_ = TShellChangeThread::Start(Settings(), [this] { DeliverChange(); });
}

void TCustomShellChangeNotifier::DeliverChange() {
  // A copy, since the callback may destroy this notifier and onChange_ with
  // it; nothing of the notifier is touched after the call.
  const TThreadMethod callback = onChange_;
  if (callback) callback();
}

}  // namespace lum
