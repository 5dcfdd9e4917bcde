// The start of any program that links QtGui: load it, make one image, end.
// bench/lumthumb-loop holds lumthumb against it.
#include <QImage>

int main() {
  const QImage image(1, 1, QImage::Format_ARGB32);
  return image.isNull() ? 1 : 0;
}
