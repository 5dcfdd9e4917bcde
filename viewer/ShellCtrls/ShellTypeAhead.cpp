#include "viewer/ShellCtrls/ShellTypeAhead.h"

namespace lum {

int FindRowByPrefix(int rowCount, int start, bool wrap, const QString& text,
                    const std::function<QString(int row)>& nameOf) {
  if (rowCount <= 0) return -1;
  if (start < 0 || start >= rowCount) start = 0;
  const QString wanted = text.toUpper();
  int row = start;
  do {
    if (nameOf(row).toUpper().startsWith(wanted)) return row;
    if (++row == rowCount) {
      if (!wrap) return -1;
      row = 0;
    }
  } while (row != start);
  return -1;
}

}  // namespace lum
