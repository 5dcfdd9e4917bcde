// Saves what the X display shows as a PNG file, for screenshots of the
// programs under xvfb-run (not installed):
//   grab_screen picture.png [x y width height]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2 && argc != 6) {
    std::fputs("usage: grab_screen picture.png [x y width height]\n", stderr);
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) {
    std::fputs("grab_screen: no screen\n", stderr);
    return 1;
  }
  QPixmap picture = argc == 6 ? screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                                                   std::atoi(argv[5]))
                              : screen->grabWindow(0);
  if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "grab_screen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
