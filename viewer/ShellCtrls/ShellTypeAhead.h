// The list's type-ahead search: the row whose name begins with what the
// user typed.
#pragma once

#include <QString>
#include <functional>

namespace lum {

/// The first row from `start` on whose name begins with `text`, letter case
/// ignored (both upper-cased). Past the last row the search goes on at row 0
/// when `wrap` is set and ends otherwise; it ends when it is back at
/// `start`. -1 when no row matches. A `start` outside the rows means row 0.
int FindRowByPrefix(int rowCount, int start, bool wrap, const QString& text,
                    const std::function<QString(int row)>& nameOf);

}  // namespace lum
