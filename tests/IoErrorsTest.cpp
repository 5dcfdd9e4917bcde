// The I/O failures: their classic codes and German messages.
#include <gtest/gtest.h>

#include <cerrno>

#include "base/Errors.h"

namespace lum {
namespace {

TEST(IoErrors, CodesAndMessagesFollowTheClassicTable) {
  EXPECT_STREQ(EInOutError(ENOENT).what(), "Datei nicht gefunden");
  EXPECT_STREQ(EInOutError(ENOTDIR).what(), "Ungültiger Dateiname");
  EXPECT_STREQ(EInOutError(ENAMETOOLONG).what(), "Ungültiger Dateiname");
  EXPECT_STREQ(EInOutError(EMFILE).what(), "Zu viele geöffnete Dateien");
  EXPECT_STREQ(EInOutError(EROFS).what(), "Dateizugriff verweigert");
  EXPECT_STREQ(EInOutError(EISDIR).what(), "Dateizugriff verweigert");
  EXPECT_STREQ(EInOutError(EDQUOT).what(), "Zu wenig Speicherplatz");
  EXPECT_STREQ(EInOutError::ShortWrite().what(), "Zu wenig Speicherplatz");
  // Other errors keep their own number, even where it equals a classic code.
  EXPECT_STREQ(EInOutError(EIO).what(), "E/A-Fehler 5");
  EXPECT_EQ(EInOutError(EIO).Code(), EIO);
  EXPECT_STREQ(EInOutError(EINTR).what(), "E/A-Fehler 4");
  EXPECT_EQ(EInOutError(EACCES).Code(), 5);
}

}  // namespace
}  // namespace lum
