// Renders the application's SVG icon to one square PNG, so the icon theme's
// bitmap sizes come from the same drawing without an extra build tool.
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QSvgRenderer>

#include <charconv>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ICON.svg SIZE OUT.png\n", argv[0]);
        return 2;
    }
    int size = 0;
    const char* sizeEnd = argv[2] + std::strlen(argv[2]);
    const auto [end, error] = std::from_chars(argv[2], sizeEnd, size);
    if (error != std::errc() || end != sizeEnd || size < 1 || size > 1024) {
        std::fprintf(stderr, "%s: bad size '%s'\n", argv[0], argv[2]);
        return 2;
    }

    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read SVG '%s'\n", argv[0], argv[1]);
        return 1;
    }
    // A redrawn icon that is not square must not come out stretched.
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write '%s'\n", argv[0], argv[3]);
        return 1;
    }
    return 0;
}
