// The end-to-end test's eyes on the X display:
//   listorix-e2e-helper grab OUT.png [WINDOW_ID]   saves the screen, or one window, as PNG
//   listorix-e2e-helper tabs CAPTION...            prints where a page control with these
//                                                 tabs has each tab's centre ("x y" per
//                                                 line, from the page control's top left),
//                                                 laid out as the program lays out its own
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int grab(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    QScreen* screen = QGuiApplication::primaryScreen();
    const WId window = argc > 3 ? static_cast<WId>(std::strtoull(argv[3], nullptr, 0)) : 0;
    const QPixmap shot = screen ? screen->grabWindow(window) : QPixmap();
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "listorix-e2e-helper: cannot save %s\n", argv[2]);
        return 1;
    }
    return 0;
}

int tabs(int argc, char** argv)
{
    QTabWidget pages;
    for (int k = 2; k < argc; ++k)
        pages.addTab(new QWidget, QString::fromUtf8(argv[k]));
    pages.resize(614, 300);
    pages.show();
    QApplication::processEvents();
    const QTabBar* bar = pages.tabBar();
    for (int k = 0; k < bar->count(); ++k) {
        const QPoint centre = bar->mapTo(&pages, bar->tabRect(k).center());
        std::printf("%d %d\n", centre.x(), centre.y());
    }
    std::printf("%d\n", bar->mapTo(&pages, QPoint(0, bar->height())).y());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "grab") == 0)
        return grab(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "tabs") == 0)
        return tabs(argc, argv);
    std::fprintf(stderr, "usage: listorix-e2e-helper grab OUT.png [WINDOW_ID] | tabs CAPTION...\n");
    return 2;
}
