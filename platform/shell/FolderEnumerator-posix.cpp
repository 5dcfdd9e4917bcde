// Enumerating a directory. The entry type comes from readdir, so a folder of
// regular files costs no stat per entry; only symlinks (to learn whether
// they lead to a folder) and entries whose type the file system does not
// report are looked at.
#include "platform/shell/FolderEnumerator.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/shell/NamespaceIds.h"

namespace lum::shell::detail {

namespace {

class FolderEnumerator final : public ComBase<IEnumIDList> {
 public:
  FolderEnumerator(DIR* directory, SHCONTF flags) : directory_(directory), flags_(flags) {}
  ~FolderEnumerator() override { ::closedir(directory_); }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IEnumIDList, object);
  }

  HRESULT Next(ULONG count, IdList* items, ULONG* fetched) override {
    ULONG given = 0;
    while (given < count) {
      const dirent* entry = ::readdir(directory_);
      if (!entry) break;  // the end, or a read error: either way no more items
      uint8_t type = 0;
      if (!Wanted(*entry, type)) continue;
      IdList id = ids::MakeEntryId(entry->d_name, type);
      if (!id) {
        if (fetched) *fetched = given;
        return E_OUTOFMEMORY;
      }
      items[given++] = std::move(id);
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }

 private:
  // Decides whether the entry is listed and learns its type bits.
  bool Wanted(const dirent& entry, uint8_t& type) const {
    const char* name = entry.d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) return false;
    if (name[0] == '.' && !(flags_ & SHCONTF_INCLUDEHIDDEN)) return false;
    type = 0;
    unsigned char kind = entry.d_type;
    const int folderFd = ::dirfd(directory_);
    if (kind == DT_UNKNOWN) {
      struct stat status {};
      if (::fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0)
        kind = S_ISLNK(status.st_mode) ? DT_LNK : S_ISDIR(status.st_mode) ? DT_DIR : DT_REG;
    }
    if (kind == DT_DIR) {
      type = ids::kFolder;
    } else if (kind == DT_LNK) {
      type = ids::kLink;
      struct stat target {};
      if (::fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) type |= ids::kFolder;
    }
    return (type & ids::kFolder) ? (flags_ & SHCONTF_FOLDERS) != 0 : (flags_ & SHCONTF_NONFOLDERS) != 0;
  }

  DIR* directory_;
  SHCONTF flags_;
};

}  // namespace

HRESULT EnumerateEntries(const std::string& folder, SHCONTF flags, ComPtr<IEnumIDList>& enumerator) {
  enumerator.Reset();
  // O_NONBLOCK | O_DIRECTORY: a path that is not a directory fails at once
  // instead of hanging on a FIFO.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return HResultFromErrno(errno);
  DIR* directory = ::fdopendir(fd);
  if (!directory) {
    const int error = errno;
    ::close(fd);
    return HResultFromErrno(error);
  }
  enumerator = MakeComObject<FolderEnumerator>(directory, flags);
  return S_OK;
}

}  // namespace lum::shell::detail
