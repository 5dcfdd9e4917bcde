// The folder change watcher of the browser controls: a component that
// watches one folder on a worker thread and runs its owner's callback on
// the window's thread whenever the folder changes.
#pragma once

#include <QFlags>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "viewer/ShellCtrls/ShellChangeThread.h"

namespace lum {

/// The change kinds a notifier reports.
enum TNotifyFilter {
  nfFileNameChange = 0x1,   ///< files created, deleted or given a new name
  nfDirNameChange = 0x2,    ///< folders created, deleted or given a new name
  nfAttributeChange = 0x4,  ///< attributes changed
  nfSizeChange = 0x8,       ///< a file's size changed
  nfWriteChange = 0x10,     ///< a file written to
  nfSecurityChange = 0x20,  ///< owner or permissions changed
};
Q_DECLARE_FLAGS(TNotifyFilters, TNotifyFilter)
Q_DECLARE_OPERATORS_FOR_FLAGS(TNotifyFilters)

/// A parameterless callback, usually a method of the owning control bound
/// to it.
using TThreadMethod = std::function<void()>;

/// The change-notification filter bits (platform/watch/ChangeHandle.h)
/// that `filters` stand for.
uint32_t NotifyFilterBits(TNotifyFilters filters);

class TCustomShellChangeNotifier : public QObject {
 public:
  /// Watches nothing until OnChange is set. Create it on the window's
  /// thread, after the application object.
  explicit TCustomShellChangeNotifier(QObject* owner = nullptr);
  /// Stops the worker without waiting for it; also allowed from inside the
  /// notifier's own callback. No callback runs after this.
  ~TCustomShellChangeNotifier() override;

  /// The folder watched, a path as the file system takes it. Default "/".
  const std::string& Root() const { return root_; }
  void SetRoot(const std::string& root);

  /// Whether changes in the folders below Root count too. Default true.
  bool WatchSubTree() const { return watchSubTree_; }
  void SetWatchSubTree(bool watchSubTree);

  /// Default: file-name and folder-name changes.
  TNotifyFilters NotifyFilters() const { return notifyFilters_; }
  void SetNotifyFilters(TNotifyFilters filters);

  /// Run on the window's thread after changes; several changes in quick
  /// succession may give one call, but the last change is always followed
  /// by one. Setting it starts the worker when none runs; a running worker
  /// calls the new callback from then on.
  const TThreadMethod& OnChange() const { return onChange_; }
  void SetOnChange(TThreadMethod onChange);

 private:
  TWatchSettings Settings() const;
  void HandOverSettings();
  void StartWorker();
  void DeliverChange();

  std::string root_ = "/";
  bool watchSubTree_ = true;
  TNotifyFilters notifyFilters_ = nfFileNameChange | nfDirNameChange;
  TThreadMethod onChange_;
  std::shared_ptr<TShellChangeThread::Link> thread_;
};

/// The notifier as the browser controls own it.
class TShellChangeNotifier : public TCustomShellChangeNotifier {
 public:
  using TCustomShellChangeNotifier::TCustomShellChangeNotifier;
};

}  // namespace lum
