// SPDX-License-Identifier: GPL-3.0-or-later
// Build helper: draws the desktop icon, a faceted gold star on a night-sky
// disc, from the one description below, as PNG images at every size the
// sizes given and as a scalable SVG, laid out as hicolor wants them:
//   OUTDIR/16x16/apps/velmo.png ... OUTDIR/256x256/apps/velmo.png
//   OUTDIR/scalable/apps/velmo.svg
// Usage: velmo_make_icons OUTDIR SIZE...
// (The window's own 32 by 32 icon is res/star_icon.xpm.)
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The picture, in a 256 by 256 square.
constexpr double kCanvas = 256;
constexpr double kDiscCentre = 128, kDiscRadius = 122, kRimWidth = 8;
constexpr double kStarX = 128, kStarY = 136, kStarOuter = 100, kStarInner = 40;
constexpr char kSky[] = "#102050";
constexpr char kRim[] = "#405898";
constexpr char kStarDark[] = "#b87810";
constexpr char kStarLight[] = "#f8d048";

struct Facet {
    QPolygonF corners;
    const char* colour;
};

QPointF OnCircle(double radius, double degrees) {
    const double radians = degrees * M_PI / 180.0;
    return {kStarX + radius * std::cos(radians), kStarY + radius * std::sin(radians)};
}

// The star as a whole (dark), then the lit facet of each point: the one
// on its left, from the centre to the tip and the inner corner before it.
std::vector<Facet> Star() {
    QPolygonF outline;
    for (int k = 0; k < 10; ++k) {
        outline << OnCircle(k % 2 == 0 ? kStarOuter : kStarInner, -90.0 + 36.0 * k);
    }
    std::vector<Facet> facets = {{outline, kStarDark}};
    for (int k = 0; k < 5; ++k) {
        const double tip = -90.0 + 72.0 * k;
        facets.push_back({QPolygonF({QPointF(kStarX, kStarY), OnCircle(kStarOuter, tip),
                                     OnCircle(kStarInner, tip - 36.0)}),
                          kStarLight});
    }
    return facets;
}

QImage Paint(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kCanvas, size / kCanvas);
    painter.setPen(QPen(QColor(kRim), kRimWidth));
    painter.setBrush(QColor(kSky));
    painter.drawEllipse(QPointF(kDiscCentre, kDiscCentre), kDiscRadius, kDiscRadius);
    painter.setPen(Qt::NoPen);
    for (const Facet& facet : Star()) {
        painter.setBrush(QColor(facet.colour));
        painter.drawPolygon(facet.corners);
    }
    painter.end();
    return image;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string Svg() {
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n";
    svg += "  <circle cx=\"" + Number(kDiscCentre) + "\" cy=\"" + Number(kDiscCentre) + "\" r=\"" +
           Number(kDiscRadius) + "\" fill=\"" + kSky + "\" stroke=\"" + kRim +
           "\" stroke-width=\"" + Number(kRimWidth) + "\"/>\n";
    for (const Facet& facet : Star()) {
        svg += "  <polygon fill=\"" + std::string(facet.colour) + "\" points=\"";
        for (int i = 0; i < facet.corners.size(); ++i) {
            if (i > 0) svg += ' ';
            svg += Number(facet.corners[i].x()) + "," + Number(facet.corners[i].y());
        }
        svg += "\"/>\n";
    }
    return svg + "</svg>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "%s: %s is not a size from 1 to 1024\n", argv[0], argv[i]);
            return 2;
        }
        const QString folder = root + QStringLiteral("/%1x%1/apps").arg(size);
        if (!QDir().mkpath(folder) || !Paint(size).save(folder + "/velmo.png", "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s/velmo.png\n", argv[0],
                         folder.toLocal8Bit().constData());
            return 1;
        }
    }
    const QString folder = root + QStringLiteral("/scalable/apps");
    const QByteArray path = (folder + "/velmo.svg").toLocal8Bit();
    std::FILE* file = QDir().mkpath(folder) ? std::fopen(path.constData(), "wb") : nullptr;
    const std::string svg = Svg();
    bool written = file != nullptr && std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    if (file != nullptr && std::fclose(file) != 0) written = false;
    if (!written) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.constData());
        return 1;
    }
    return 0;
}
