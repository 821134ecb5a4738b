// lrl-iconrender SVG OUTDIR SIZE...: renders the program's icon, drawn as SVG, into OUTDIR/<SIZE>.png for
// each size; the build makes the icon theme's pictures and the program's window icon this way.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: lrl-iconrender SVG OUTDIR SIZE...\n", stderr);
        return 2;
    }
    // The picture has no text, so painting it needs no fonts and no application object (and so no
    // display on the build machine).
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "lrl-iconrender: %s is not a readable SVG picture\n", argv[1]);
        return 1;
    }
    QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(QStringLiteral("."));
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "lrl-iconrender: %s is not a size in pixels\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        QString path = out.filePath(QStringLiteral("%1.png").arg(size));
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "lrl-iconrender: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
