// Saves what the X display shows as a PNG: the whole screen, or one window given by
// its X id. The end-to-end test's camera (xdotool finds the window).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: listorix-screen-grab OUT.png [WINDOW_ID]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "listorix-screen-grab: no screen\n");
        return 1;
    }
    const WId window = argc > 2 ? static_cast<WId>(std::strtoull(argv[2], nullptr, 0)) : 0;
    const QPixmap shot = screen->grabWindow(window);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "listorix-screen-grab: cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
