// The user's well-known folders, from the environment and the XDG user-dirs
// file, as the desktop environment defines them.
#pragma once

#include <memory>
#include <string>

namespace lum::shell {

/// Each absolute folder is spelled one way: no empty or "." parts and no
/// trailing "/" (".." is left as written).
struct UserFolders {
  std::string home;       ///< $HOME, else the password database's entry
  std::string config;     ///< $XDG_CONFIG_HOME, else ~/.config
  std::string data;       ///< $XDG_DATA_HOME, else ~/.local/share
  std::string desktop;    ///< $XDG_DESKTOP_DIR, the user-dirs file, else ~/Desktop
  std::string documents;  ///< $XDG_DOCUMENTS_DIR, the user-dirs file, else ~/Documents
  std::string templates;  ///< $XDG_TEMPLATES_DIR, the user-dirs file, else ~/Templates
};

/// The folders as the environment now names them. They are worked out again
/// whenever one of the variables above has changed, so a test that points
/// HOME elsewhere sees its own folders; nothing here checks that they exist.
std::shared_ptr<const UserFolders> CurrentUserFolders();

}  // namespace lum::shell
