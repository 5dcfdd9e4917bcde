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

/// The folders as they were last read (the first call reads them); nothing
/// here checks that they exist. The desktop asks for them in every call, a
/// fill makes hundreds of thousands of those, so the environment is not
/// looked at again until RefreshUserFolders.
std::shared_ptr<const UserFolders> CurrentUserFolders();

/// Reads the folders anew from the environment and the user-dirs file. The
/// browser does this when a control changes its root; a test does it after
/// it points HOME elsewhere.
void RefreshUserFolders();

}  // namespace lum::shell
