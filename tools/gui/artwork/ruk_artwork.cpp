// Draws RUK's built-in artwork: the tile sheet, the logo and the icon.
// Everything is painted from code, so the pictures stay reproducible and can be tweaked here.
//
// Usage: ruk-artwork <output folder> [--preview <file>]
// The preview is a small room assembled from the finished sheet, for judging the tiles together.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int kTile = 24;
constexpr int kSheetCols = 7;
constexpr int kSheetRows = 9;

// The renderer skips this exact colour, so marks can sit on any tile.
const QRgb kKey = qRgb(255, 0, 255);

// Mark images in row 5; they are not on the tile grid.
constexpr int kMarkX = 72;
constexpr int kSideArrowY = 120;
constexpr int kSideArrowSize = 14;
constexpr int kSmallArrowY = 134;
constexpr int kSmallArrowSize = 10;

// ---------------------------------------------------------------------------------------------
// Colour and noise helpers

std::uint32_t hash3(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Deterministic white noise in [-1, 1].
double noise(int x, int y, int salt) {
    return (hash3(x, y, salt) & 0xffff) / 32767.5 - 1.0;
}

// Smooth noise with a period of one tile, so neighbouring tiles join without a seam.
double waves(int x, int y, int salt) {
    constexpr double k = 2.0 * std::numbers::pi / kTile;
    const double a = (hash3(salt, 1, 7) & 0xff) / 40.0;
    const double b = (hash3(salt, 2, 7) & 0xff) / 40.0;
    return 0.5 * std::sin(k * (x + 2 * y) + a) + 0.5 * std::cos(k * (2 * x - y) + b);
}

int clamp255(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

QColor shade(const QColor& c, double delta) {
    return QColor(clamp255(c.red() + delta), clamp255(c.green() + delta),
                  clamp255(c.blue() + delta), c.alpha());
}

QColor scaled(const QColor& c, double f) {
    return QColor(clamp255(c.red() * f), clamp255(c.green() * f), clamp255(c.blue() * f),
                  c.alpha());
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor(clamp255(a.red() + (b.red() - a.red()) * t),
                  clamp255(a.green() + (b.green() - a.green()) * t),
                  clamp255(a.blue() + (b.blue() - a.blue()) * t),
                  clamp255(a.alpha() + (b.alpha() - a.alpha()) * t));
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QImage newImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// Antialiased painter whose unit is one pixel of a 24-pixel tile.
void beginSmooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// ---------------------------------------------------------------------------------------------
// Ground: floor, goal, highlight, exterior

const QColor kFloor(200, 186, 162);
const QColor kOutline(48, 32, 26);

// One paving stone per cell; grout on the top and left edges joins cells into a grid.
QImage floorTile(bool flat) {
    QImage img = newImage(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            double d = noise(x, y, 1) * (flat ? 1.5 : 4.0);
            if (!flat) d += 4.0 * waves(x, y, 3) + 2.0 * noise(x / 3, y / 3, 2);
            if (x == 0 || y == 0) {
                d = -40 + noise(x, y, 4) * 3;
            } else if (x == 1 || y == 1) {
                d += 10;
            } else if (x == kTile - 1 || y == kTile - 1) {
                d -= 9;
            } else if (x == kTile - 2 || y == kTile - 2) {
                d -= 3;
            }
            img.setPixelColor(x, y, shade(kFloor, d));
        }
    }
    return img;
}

// A soft tint with a glowing inner rim: cells the selected box can be brought to.
void drawHighlight(QPainter& p) {
    p.save();
    beginSmooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 230, 205, 95));
    p.drawRect(QRectF(1, 1, 23, 23));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 200, 180, 200), 1.6));
    p.drawRoundedRect(QRectF(2.3, 2.3, 20.4, 20.4), 3.0, 3.0);
    p.setPen(QPen(QColor(210, 255, 245, 150), 0.8));
    p.drawRoundedRect(QRectF(3.6, 3.6, 17.8, 17.8), 2.4, 2.4);
    p.restore();
}

// A red target ring, sunk slightly into the stone.
void drawGoal(QPainter& p) {
    p.save();
    beginSmooth(p);
    const QPointF c(12.0, 12.0);
    p.setPen(Qt::NoPen);
    QRadialGradient pit(c, 9.0);
    pit.setColorAt(0.0, QColor(80, 40, 20, 40));
    pit.setColorAt(0.8, QColor(80, 40, 20, 30));
    pit.setColorAt(1.0, QColor(80, 40, 20, 0));
    p.setBrush(pit);
    p.drawEllipse(c, 9.0, 9.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 22, 30), 3.4));
    p.drawEllipse(c, 7.0, 7.0);
    p.setPen(QPen(QColor(222, 60, 62), 2.0));
    p.drawEllipse(c, 7.0, 7.0);
    p.setPen(QPen(QColor(255, 150, 140, 170), 0.7));
    p.drawArc(QRectF(c.x() - 7.2, c.y() - 7.2, 14.4, 14.4), 60 * 16, 90 * 16);
    p.setPen(QPen(QColor(110, 22, 30), 0.9));
    p.setBrush(QColor(222, 60, 62));
    p.drawEllipse(c, 2.3, 2.3);
    p.restore();
}

// The outside of the level and the welcome screen's background: dark and calm under light text.
QImage exteriorTile() {
    const QColor base(36, 42, 56);
    QImage img = newImage(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            double d = noise(x, y, 11) * 1.5 + 1.5 * waves(x, y, 12);
            const int a = (x + y) % 12;
            const int b = (x - y + 2 * kTile) % 12;
            if (a == 0 || b == 0) d += 5;
            img.setPixelColor(x, y, shade(base, d));
        }
    }
    return img;
}

// ---------------------------------------------------------------------------------------------
// Walls

const QColor kWallTop(140, 133, 126);
const QColor kWallFace(128, 92, 70);
const QColor kMortarTop(92, 84, 76);
const QColor kMortarFace(70, 50, 40);

struct BrickPixel {
    bool mortar;
    int u, v;  // position inside the brick
    int w, h;  // brick size without mortar
    int id;    // stable per brick, for tone variation
};

// Running bond: rows of the given heights (mortar line included at their top), bricks 12 wide,
// every other row shifted by half a brick. Periodic in one tile horizontally.
BrickPixel brickAt(int x, int y, const std::vector<int>& rowTops, int bottom) {
    int row = 0;
    while (row + 1 < static_cast<int>(rowTops.size()) && y >= rowTops[row + 1]) ++row;
    const int top = rowTops[row];
    const int next = row + 1 < static_cast<int>(rowTops.size()) ? rowTops[row + 1] : bottom;
    const int shift = (row % 2) * 6;
    const int xs = (x + shift) % kTile;
    const int col = xs / 12;
    BrickPixel b;
    b.u = xs % 12 - 1;
    b.v = y - top - 1;
    b.w = 11;
    b.h = next - top - 1;
    b.mortar = b.u < 0 || b.v < 0;
    b.id = row * 4 + col;
    return b;
}

QColor brickColour(const BrickPixel& b, const QColor& stone, const QColor& mortar, int x, int y,
                   int salt) {
    if (b.mortar) return shade(mortar, noise(x, y, salt) * 3);
    double d = noise(b.id, 0, salt) * 9 + noise(x, y, salt + 1) * 4 + noise(x / 2, y, salt + 2) * 3;
    if (b.v == 0) d += 16;
    if (b.u == 0) d += 8;
    if (b.v == b.h - 1) d -= 12;
    if (b.u == b.w - 1) d -= 10;
    return shade(stone, d);
}

// The top of a wall, seen from above; used where another wall continues below.
QImage wallTopTile() {
    const std::vector<int> rows{0, 6, 12, 18};
    QImage img = newImage(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            img.setPixelColor(
                x, y, brickColour(brickAt(x, y, rows, kTile), kWallTop, kMortarTop, x, y, 20));
        }
    }
    return img;
}

// A wall whose front shows: a strip of its top, a lit edge, then the shaded brick face that
// darkens towards the ground. The strip continues the pattern of a wall top above it.
QImage wallFaceTile() {
    const std::vector<int> topRows{0};
    const std::vector<int> faceRows{8, 13, 18};
    QImage img = newImage(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            QColor c;
            if (y < 6) {
                c = brickColour(brickAt(x, y, topRows, 6), kWallTop, kMortarTop, x, y, 20);
            } else if (y == 6) {
                c = shade(kWallTop, 28 + noise(x, y, 5) * 3);
            } else if (y == 7) {
                c = shade(kMortarFace, -10);
            } else {
                BrickPixel b = brickAt(x + 3, y, faceRows, kTile);
                c = brickColour(b, kWallFace, kMortarFace, x, y, 30);
                const double t = (y - 8) / 15.0;
                c = scaled(c, 1.0 - 0.28 * t * t);
            }
            img.setPixelColor(x, y, c);
        }
    }
    return img;
}

// The editor's wall: one flat brick block that tiles in every direction.
QImage wallFlatTile() {
    const std::vector<int> rows{0, 6, 12, 18};
    QImage img = newImage(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            img.setPixelColor(
                x, y,
                brickColour(brickAt(x + 3, y, rows, kTile), kWallFace, kMortarFace, x, y, 30));
        }
    }
    return img;
}

// ---------------------------------------------------------------------------------------------
// Crate

void drawCrate(QPainter& p, bool onGoal, bool shadow) {
    p.save();
    beginSmooth(p);
    const QRectF r(2.5, 2.0, 19.0, 19.0);
    if (shadow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 15, 0, 40));
        p.drawRoundedRect(r.translated(1.8, 2.0).adjusted(-0.6, -0.6, 0.6, 0.6), 2.5, 2.5);
        p.setBrush(QColor(30, 15, 0, 60));
        p.drawRoundedRect(r.translated(1.2, 1.4), 2.0, 2.0);
    }
    if (onGoal) {
        // A green glow: the crate has found its place.
        QRadialGradient glow(QPointF(12, 11.5), 13.0);
        glow.setColorAt(0.6, QColor(120, 255, 110, 150));
        glow.setColorAt(1.0, QColor(120, 255, 110, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRect(QRectF(0, 0, 24, 24));
    }
    const QColor frame = onGoal ? QColor(96, 160, 64) : QColor(186, 116, 50);
    const QColor plank = onGoal ? QColor(140, 204, 92) : QColor(222, 156, 80);
    const QColor dark = onGoal ? QColor(26, 64, 22) : QColor(84, 44, 16);

    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, shade(frame, 22));
    g.setColorAt(1.0, shade(frame, -26));
    p.setPen(QPen(dark, 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r, 1.6, 1.6);

    const QRectF in = r.adjusted(3.4, 3.4, -3.4, -3.4);
    QLinearGradient pg(in.topLeft(), in.bottomLeft());
    pg.setColorAt(0.0, shade(plank, 8));
    pg.setColorAt(1.0, shade(plank, -18));
    p.setPen(QPen(shade(dark, 10), 0.8));
    p.setBrush(pg);
    p.drawRect(in);
    // Plank seams.
    p.setPen(QPen(withAlpha(dark, 150), 0.6));
    for (int i = 1; i < 3; ++i) {
        const double y = in.top() + in.height() * i / 3.0;
        p.drawLine(QPointF(in.left(), y), QPointF(in.right(), y));
    }
    // Diagonal brace.
    p.save();
    p.setClipRect(in);
    p.setPen(QPen(dark, 4.4));
    p.drawLine(in.bottomLeft(), in.topRight());
    p.setPen(QPen(shade(frame, 10), 2.8));
    p.drawLine(in.bottomLeft(), in.topRight());
    p.restore();
    // Light catching the upper and left edges of the frame.
    p.setPen(QPen(withAlpha(QColor(255, 240, 200), 150), 0.8));
    p.drawLine(QPointF(r.left() + 1.3, r.top() + 1.2), QPointF(r.right() - 1.3, r.top() + 1.2));
    p.drawLine(QPointF(r.left() + 1.2, r.top() + 1.3), QPointF(r.left() + 1.2, r.bottom() - 1.3));
    // Nails.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(dark, 200));
    for (const QPointF& n :
         {QPointF(r.left() + 1.8, r.top() + 1.8), QPointF(r.right() - 1.8, r.top() + 1.8),
          QPointF(r.left() + 1.8, r.bottom() - 1.8), QPointF(r.right() - 1.8, r.bottom() - 1.8)}) {
        p.drawEllipse(n, 0.75, 0.75);
    }
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Keeper

enum class Pose { Neutral, Up, Right, Down, Left };

const QColor kSkin(248, 206, 164);
const QColor kCap(218, 56, 44);
const QColor kShirt(54, 116, 210);
const QColor kHair(112, 64, 34);
const QColor kPack(196, 150, 70);
const QColor kShoe(70, 46, 34);

void blob(QPainter& p, const QRectF& r, const QBrush& fill, double pen = 0.8) {
    p.setPen(QPen(kOutline, pen));
    p.setBrush(fill);
    p.drawEllipse(r);
}

void drawShirt(QPainter& p, const QRectF& body) {
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0.0, shade(kShirt, 30));
    g.setColorAt(1.0, shade(kShirt, -30));
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(g);
    p.drawRoundedRect(body, 3.2, 3.2);
}

void drawArm(QPainter& p, QPointF shoulder, QPointF hand) {
    p.setPen(QPen(kOutline, 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    p.setPen(QPen(shade(kShirt, -12), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    blob(p, QRectF(hand.x() - 1.3, hand.y() - 1.3, 2.6, 2.6), kSkin, 0.7);
}

// Fills the part of the head above `capLine` with the cap colour.
void drawCapTop(QPainter& p, const QPainterPath& head, double capLine) {
    p.save();
    p.setClipPath(head);
    QLinearGradient g(QPointF(0, 2), QPointF(0, capLine));
    g.setColorAt(0.0, shade(kCap, 34));
    g.setColorAt(1.0, shade(kCap, -12));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(0, 0, 24, capLine));
    p.restore();
}

void drawEye(QPainter& p, QPointF c) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 22, 24));
    p.drawEllipse(c, 0.75, 1.05);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(c.x() + 0.25, c.y() - 0.4), 0.3, 0.3);
}

void drawKeeper(QPainter& p, Pose pose) {
    if (pose == Pose::Left) {
        p.save();
        p.translate(24, 0);
        p.scale(-1, 1);
        drawKeeper(p, Pose::Right);
        p.restore();
        return;
    }
    p.save();
    beginSmooth(p);
    const bool side = pose == Pose::Right;
    const bool walking = pose != Pose::Neutral;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 10, 0, 70));
    p.drawEllipse(QPointF(12, 21.2), 6.0, 1.9);

    // Shoes: side by side when standing, one ahead when walking.
    if (side) {
        blob(p, QRectF(8.6, 19.0, 4.2, 2.3), kShoe);
        blob(p, QRectF(12.6, 19.7, 4.4, 2.3), kShoe);
    } else if (walking) {
        const double lift = pose == Pose::Up ? -0.8 : 0.8;
        blob(p, QRectF(7.8, 19.3 + lift, 3.9, 2.4), kShoe);
        blob(p, QRectF(12.3, 19.3 - lift, 3.9, 2.4), kShoe);
    } else {
        blob(p, QRectF(7.8, 19.4, 3.9, 2.4), kShoe);
        blob(p, QRectF(12.3, 19.4, 3.9, 2.4), kShoe);
    }

    const QRectF body = side ? QRectF(8.8, 11.8, 7.0, 8.4) : QRectF(7.3, 11.8, 9.4, 8.4);
    if (side) {
        // Backpack on the back, behind the body.
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(kPack);
        p.drawRoundedRect(QRectF(6.2, 12.4, 4.2, 6.4), 1.4, 1.4);
    }
    if (!side) {
        // Arms hang at the sides; they swing when walking.
        const double swing = walking ? 1.0 : 0.0;
        drawArm(p, QPointF(7.9, 13.6), QPointF(6.4, 17.8 - swing));
        drawArm(p, QPointF(16.1, 13.6), QPointF(17.6, 17.8 + swing));
    }
    drawShirt(p, body);
    // Belt.
    p.setPen(QPen(QColor(60, 40, 30), 1.0));
    p.drawLine(QPointF(body.left() + 0.6, 17.3), QPointF(body.right() - 0.6, 17.3));
    if (pose == Pose::Up) {
        // Seen from behind: the backpack covers the back.
        p.setPen(QPen(kOutline, 0.8));
        QLinearGradient g(QPointF(9, 12.5), QPointF(15, 18.5));
        g.setColorAt(0.0, shade(kPack, 20));
        g.setColorAt(1.0, shade(kPack, -24));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(8.7, 12.6, 6.6, 6.2), 1.6, 1.6);
        p.setBrush(shade(kPack, -30));
        p.drawRoundedRect(QRectF(9.4, 12.6, 5.2, 2.4), 1.0, 1.0);
    } else if (!side) {
        // Front: collar and a button.
        p.setPen(QPen(QColor(250, 245, 230), 1.0));
        p.drawLine(QPointF(10.4, 12.4), QPointF(12, 13.7));
        p.drawLine(QPointF(13.6, 12.4), QPointF(12, 13.7));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 220, 90));
        p.drawEllipse(QPointF(12, 15.4), 0.6, 0.6);
    }
    if (side) {
        // One arm swinging forward.
        drawArm(p, QPointF(11.8, 13.4), QPointF(15.4, 16.8));
    }

    // Head.
    const QPointF hc(12.0, 7.4);
    const double hr = 5.5;
    QPainterPath head;
    head.addEllipse(hc, hr, hr);
    p.setPen(Qt::NoPen);
    QRadialGradient skin(QPointF(hc.x() - 1.5, hc.y() - 1.5), hr * 1.5);
    skin.setColorAt(0.0, shade(kSkin, 10));
    skin.setColorAt(1.0, shade(kSkin, -28));
    p.setBrush(skin);
    p.drawPath(head);

    if (pose == Pose::Up) {
        // Back of the head: hair below the cap, ears peeking out.
        p.save();
        p.setClipPath(head);
        p.setBrush(kHair);
        p.drawRect(QRectF(0, 6.0, 24, 8));
        p.restore();
        drawCapTop(p, head, 7.6);
        // Cap strap and its button.
        p.setPen(QPen(shade(kCap, -50), 0.8));
        p.drawLine(QPointF(10.0, 6.4), QPointF(14.0, 6.4));
        blob(p, QRectF(6.0, 7.6, 1.6, 2.4), kSkin, 0.6);
        blob(p, QRectF(16.4, 7.6, 1.6, 2.4), kSkin, 0.6);
    } else if (side) {
        // Profile facing right: hair at the back, ear, one eye, nose, visor ahead.
        p.save();
        p.setClipPath(head);
        p.setBrush(kHair);
        p.drawRect(QRectF(0, 4.0, 10.0, 12));
        p.restore();
        drawCapTop(p, head, 5.8);
        blob(p, QRectF(9.4, 7.0, 2.0, 2.6), shade(kSkin, -8), 0.6);
        drawEye(p, QPointF(15.2, 8.0));
        blob(p, QRectF(16.6, 8.7, 2.0, 1.8), kSkin, 0.6);
        p.setPen(QPen(QColor(150, 70, 60), 0.7));
        p.drawLine(QPointF(14.8, 10.9), QPointF(16.3, 10.7));
    } else {
        // Facing the viewer. Walking towards the viewer the eyes look down at the path.
        const double eyeY = pose == Pose::Down ? 8.9 : 8.1;
        drawCapTop(p, head, 5.2);
        drawEye(p, QPointF(10.0, eyeY));
        drawEye(p, QPointF(14.0, eyeY));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 120, 110, 110));
        p.drawEllipse(QPointF(8.5, 9.9), 1.0, 0.7);
        p.drawEllipse(QPointF(15.5, 9.9), 1.0, 0.7);
        if (pose == Pose::Neutral) {
            p.setPen(QPen(QColor(140, 60, 50), 0.7));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(10.6, 9.0, 2.8, 2.2), 200 * 16, 140 * 16);
        }
    }
    // Head outline over everything drawn inside it.
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);

    // Cap visor: towards the viewer, hidden from behind, ahead in profile.
    if (side) {
        QPainterPath visor;
        visor.moveTo(12.5, 4.8);
        visor.lineTo(18.6, 5.0);
        visor.quadTo(20.2, 5.4, 19.6, 6.4);
        visor.lineTo(13.0, 6.6);
        visor.closeSubpath();
        p.setPen(QPen(kOutline, 0.7));
        p.setBrush(shade(kCap, -30));
        p.drawPath(visor);
    } else if (pose != Pose::Up) {
        p.setPen(QPen(kOutline, 0.7));
        p.setBrush(shade(kCap, -30));
        p.drawChord(QRectF(6.8, 3.6, 10.4, 3.6), 180 * 16, 180 * 16);
    }
    // Button on top of the cap.
    p.setPen(QPen(kOutline, 0.6));
    p.setBrush(shade(kCap, 30));
    p.drawEllipse(QPointF(12, 2.1), 0.8, 0.6);
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Tile assembly

enum class Ground { Floor, Goal };
enum class Thing { None, Box, Keeper };

struct Cell {
    Ground ground = Ground::Floor;
    Thing thing = Thing::None;
    Pose pose = Pose::Neutral;
    bool highlight = false;
    bool flat = false;
};

QImage cellTile(const Cell& cell) {
    QImage img = floorTile(cell.flat);
    QPainter p(&img);
    if (cell.highlight) drawHighlight(p);
    if (cell.ground == Ground::Goal) drawGoal(p);
    if (cell.thing == Thing::Box) drawCrate(p, cell.ground == Ground::Goal, !cell.flat);
    if (cell.thing == Thing::Keeper) drawKeeper(p, cell.pose);
    return img;
}

// The seven objects in the order the editor board and the palette use.
std::vector<QImage> editorTiles() {
    std::vector<QImage> tiles;
    tiles.push_back(cellTile({Ground::Floor, Thing::None, Pose::Neutral, false, true}));
    tiles.push_back(cellTile({Ground::Goal, Thing::None, Pose::Neutral, false, true}));
    tiles.push_back(cellTile({Ground::Floor, Thing::Box, Pose::Neutral, false, true}));
    tiles.push_back(cellTile({Ground::Goal, Thing::Box, Pose::Neutral, false, true}));
    tiles.push_back(cellTile({Ground::Floor, Thing::Keeper, Pose::Neutral, false, true}));
    tiles.push_back(cellTile({Ground::Goal, Thing::Keeper, Pose::Neutral, false, true}));
    tiles.push_back(wallFlatTile());
    return tiles;
}

QImage selectedTile(const QImage& tile) {
    QImage img = tile.copy();
    QPainter p(&img);
    beginSmooth(p);
    p.fillRect(QRectF(0, 0, 24, 24), QColor(255, 250, 220, 50));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 30, 10), 1.0));
    p.drawRect(QRectF(0.5, 0.5, 23, 23));
    p.setPen(QPen(QColor(255, 196, 30), 2.0));
    p.drawRect(QRectF(2, 2, 20, 20));
    p.setPen(QPen(QColor(255, 250, 200), 1.0));
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    return img;
}

// Grey, faded towards the window colour.
QImage disabledTile(const QImage& tile) {
    QImage img = tile.copy();
    const QColor window(226, 226, 226);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            const int grey = qGray(c.rgb());
            img.setPixelColor(x, y, mix(QColor(grey, grey, grey), window, 0.55));
        }
    }
    return img;
}

// ---------------------------------------------------------------------------------------------
// Marks

// An arrow pointing down inside an n x n square, as a coverage mask thresholded at one half.
std::vector<bool> arrowMask(int n) {
    if (n == kSmallArrowSize) {
        // Too small for a drawn outline to stay even, so it is set by hand, leaving a ring
        // of one pixel for the outline.
        static const char* const rows[kSmallArrowSize] = {
            "..........", "...####...", "...####...", "...####...", "...####...",
            ".########.", "..######..", "...####...", "....##....", "..........",
        };
        std::vector<bool> mask(n * n);
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) mask[y * n + x] = rows[y][x] == '#';
        }
        return mask;
    }
    QImage img = newImage(n, n);
    {
        QPainter p(&img);
        beginSmooth(p);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const double m = 1.4;  // room for the outline
        const double mid = n / 2.0;
        const double shaft = n * 0.15;
        const double neck = n * 0.46;
        QPainterPath a;
        a.moveTo(mid - shaft, m);
        a.lineTo(mid + shaft, m);
        a.lineTo(mid + shaft, neck);
        a.lineTo(n - m, neck);
        a.lineTo(mid, n - m);
        a.lineTo(m, neck);
        a.lineTo(mid - shaft, neck);
        a.closeSubpath();
        p.drawPath(a);
    }
    std::vector<bool> mask(n * n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) mask[y * n + x] = qAlpha(img.pixel(x, y)) >= 128;
    }
    return mask;
}

// Quarter turns clockwise: down, left, up, right for turns 0..3.
std::vector<bool> rotateMask(const std::vector<bool>& mask, int n, int turns) {
    std::vector<bool> out = mask;
    for (int t = 0; t < turns; ++t) {
        std::vector<bool> next(n * n);
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) next[y * n + x] = out[(n - 1 - x) * n + y];
        }
        out = next;
    }
    return out;
}

// Writes an arrow onto the key colour: bright fill lit from its tip, one dark pixel of outline.
void paintArrow(QImage& sheet, int ox, int oy, int n, int turns) {
    const std::vector<bool> mask = rotateMask(arrowMask(n), n, turns);
    const QColor outline(60, 30, 0);
    const QColor bright(255, 236, 90);
    const QColor deep(255, 150, 20);
    auto inMask = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < n && y < n && mask[y * n + x];
    };
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            QRgb c = kKey;
            if (inMask(x, y)) {
                // Lighter on the upper-left side of the arrow.
                const double t = (x + y) / (2.0 * (n - 1));
                c = mix(bright, deep, t).rgb();
            } else {
                for (int dy = -1; dy <= 1 && c == kKey; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (inMask(x + dx, y + dy)) {
                            c = outline.rgb();
                            break;
                        }
                    }
                }
            }
            sheet.setPixel(ox + x, oy + y, c);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The sheet

void put(QImage& sheet, const QImage& tile, int col, int row) {
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(col * kTile, row * kTile, tile);
}

bool inMarkArea(int x, int y) {
    const bool side = y >= kSideArrowY && y < kSideArrowY + kSideArrowSize && x >= kMarkX &&
                      x < kMarkX + 4 * kSideArrowSize;
    const bool small = y >= kSmallArrowY && y < kSmallArrowY + kSmallArrowSize && x >= kMarkX &&
                       x < kMarkX + 4 * kSmallArrowSize;
    return side || small;
}

QImage makeSheet() {
    QImage sheet(kSheetCols * kTile, kSheetRows * kTile, QImage::Format_ARGB32);
    sheet.fill(Qt::black);

    const std::vector<QImage> editor = editorTiles();
    for (int c = 0; c < kSheetCols; ++c) {
        put(sheet, editor[c], c, 0);
        put(sheet, editor[c], c, 6);
        put(sheet, selectedTile(editor[c]), c, 7);
        put(sheet, disabledTile(editor[c]), c, 8);
    }

    const Pose poses[5] = {Pose::Neutral, Pose::Up, Pose::Right, Pose::Down, Pose::Left};
    for (int band = 0; band < 2; ++band) {
        const bool highlight = band == 1;
        for (int g = 0; g < 2; ++g) {
            const Ground ground = g == 0 ? Ground::Floor : Ground::Goal;
            const int row = 1 + 2 * band + g;
            put(sheet, cellTile({ground, Thing::None, Pose::Neutral, highlight, false}), 0, row);
            for (int i = 0; i < 5; ++i) {
                put(sheet, cellTile({ground, Thing::Keeper, poses[i], highlight, false}), 1 + i,
                    row);
            }
            put(sheet, cellTile({ground, Thing::Box, Pose::Neutral, highlight, false}), 6, row);
        }
    }

    const QImage exterior = exteriorTile();
    put(sheet, wallTopTile(), 0, 5);
    put(sheet, wallFaceTile(), 1, 5);
    for (int c = 2; c < kSheetCols; ++c) put(sheet, exterior, c, 5);

    // Direction k = 0..3 (up, right, down, left) points down, left, up, right.
    for (int k = 0; k < 4; ++k) {
        paintArrow(sheet, kMarkX + k * kSideArrowSize, kSideArrowY, kSideArrowSize, k);
        paintArrow(sheet, kMarkX + k * kSmallArrowSize, kSmallArrowY, kSmallArrowSize, k);
    }
    return sheet.convertToFormat(QImage::Format_RGB888);
}

// The renderer treats the key colour as transparent anywhere, so it must not appear in a tile.
bool checkSheet(const QImage& sheet) {
    bool ok = true;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if (sheet.pixel(x, y) == kKey && !inMarkArea(x, y)) {
                std::fprintf(stderr, "key colour at %d,%d outside the marks\n", x, y);
                ok = false;
            }
        }
    }
    // Every mark square must keep its key-colour corners, or the arrow would show a box.
    for (int k = 0; k < 4; ++k) {
        const int corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
        for (const auto& c : corners) {
            const int sx = kMarkX + k * kSideArrowSize + c[0] * (kSideArrowSize - 1);
            const int sy = kSideArrowY + c[1] * (kSideArrowSize - 1);
            const int tx = kMarkX + k * kSmallArrowSize + c[0] * (kSmallArrowSize - 1);
            const int ty = kSmallArrowY + c[1] * (kSmallArrowSize - 1);
            if (sheet.pixel(sx, sy) != kKey || sheet.pixel(tx, ty) != kKey) {
                std::fprintf(stderr, "mark %d lost its key-colour corner\n", k);
                ok = false;
            }
        }
    }
    return ok;
}

// ---------------------------------------------------------------------------------------------
// Logo and icon

// Bold rounded letters built from strokes, in a box 22 wide and 30 high.
QPainterPath letterPath(char ch, double x0, double y0) {
    QPainterPath s;
    switch (ch) {
        case 'R':
            s.moveTo(3.5, 27);
            s.lineTo(3.5, 3.5);
            s.lineTo(11.5, 3.5);
            s.arcTo(QRectF(5.5, 3.5, 13, 12), 90, -180);
            s.lineTo(3.5, 15.5);
            s.moveTo(11.5, 15.5);
            s.lineTo(18.5, 27);
            break;
        case 'U':
            s.moveTo(3.5, 3);
            s.lineTo(3.5, 18);
            s.arcTo(QRectF(3.5, 11.5, 15, 15.5), 180, 180);
            s.lineTo(18.5, 3);
            break;
        case 'K':
            s.moveTo(3.5, 3);
            s.lineTo(3.5, 27);
            s.moveTo(18.5, 3);
            s.lineTo(5.0, 16.5);
            s.moveTo(9.5, 12.5);
            s.lineTo(19.0, 27);
            break;
        default:
            break;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(6.6);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    QPainterPath out = stroker.createStroke(s).simplified();
    return out.translated(x0, y0);
}

void drawBadge(QPainter& p, const QRectF& r, double radius) {
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0.0, QColor(62, 74, 98));
    bg.setColorAt(1.0, QColor(30, 36, 50));
    p.setPen(QPen(QColor(20, 24, 34), 1.0));
    p.setBrush(bg);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

QImage makeLogo() {
    QImage img = newImage(104, 90);
    QPainter p(&img);
    beginSmooth(p);
    drawBadge(p, QRectF(0.5, 0.5, 103, 89), 10);

    // A strip of floor with the keeper pushing a crate along it.
    const QImage floor = floorTile(false);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(QRectF(1.5, 1.5, 101, 87), 9, 9);
    p.setClipPath(clip);
    for (int i = 0; i < 5; ++i) {
        p.drawImage(QRectF(-4 + i * 24, 30, 24, 14), floor, QRectF(0, 5, 24, 14));
    }
    QLinearGradient fade(QPointF(0, 30), QPointF(0, 44));
    fade.setColorAt(0.0, QColor(0, 0, 0, 60));
    fade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, 30, 104, 14), fade);
    p.restore();

    p.save();
    p.translate(20, 1);
    p.scale(1.55, 1.55);
    drawKeeper(p, Pose::Right);
    p.restore();
    p.save();
    p.translate(46, 5);
    p.scale(1.45, 1.45);
    drawCrate(p, false, true);
    p.restore();

    // The name.
    QPainterPath word;
    word.addPath(letterPath('R', 0, 0));
    word.addPath(letterPath('U', 25, 0));
    word.addPath(letterPath('K', 50, 0));
    QTransform place;
    place.translate(17, 48);
    place.scale(0.98, 1.05);
    word = place.map(word);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(word.translated(1.6, 1.8));
    QLinearGradient gold(QPointF(0, 50), QPointF(0, 80));
    gold.setColorAt(0.0, QColor(255, 236, 130));
    gold.setColorAt(0.5, QColor(255, 196, 60));
    gold.setColorAt(1.0, QColor(236, 128, 30));
    p.setPen(QPen(QColor(70, 34, 8), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(word);
    p.end();
    return img;
}

// Drawn on a 64-pixel grid and scaled, so that the desktop's icon theme gets every size from
// the same drawing.
QImage makeIcon(int size) {
    QImage img = newImage(size, size);
    QPainter p(&img);
    beginSmooth(p);
    if (size != 64) p.scale(size / 64.0, size / 64.0);
    drawBadge(p, QRectF(1.5, 1.5, 61, 61), 11);

    p.save();
    p.translate(22, 3);
    p.scale(1.75, 1.75);
    drawCrate(p, false, true);
    p.restore();
    p.save();
    p.translate(-2, 18);
    p.scale(1.75, 1.75);
    drawKeeper(p, Pose::Right);
    p.restore();
    p.end();
    return img;
}

// ---------------------------------------------------------------------------------------------
// Preview: a small room assembled from the finished sheet, at twice the size.

QImage makePreview(const QImage& sheet) {
    const std::vector<QString> map{
        "            ",  //
        " #########  ",  //
        " #   #   ## ",  //
        " # .$  @  # ",  //
        " #  *#.   # ",  //
        " ## $  ## # ",  //
        "  #  +    # ",  //
        "  ######### ",  //
        "            ",  //
    };
    // Cells the selected box could go to, and where the marks go.
    const std::vector<QPoint> lit{{3, 5}, {3, 6}, {4, 6}, {5, 4}, {6, 3}, {7, 4}, {6, 4}};
    const QPoint smallMark(4, 5);  // on the selected box

    const int w = map[0].size();
    const int h = static_cast<int>(map.size());
    QImage out(w * kTile, h * kTile + 5 * kTile, QImage::Format_RGB32);
    out.fill(QColor(226, 226, 226));
    QPainter p(&out);
    auto tile = [&](int c, int r) { return sheet.copy(c * kTile, r * kTile, kTile, kTile); };
    auto at = [&](int x, int y) -> QChar {
        if (y < 0 || y >= h || x < 0 || x >= w) return ' ';
        return map[y][x];
    };
    auto isLit = [&](int x, int y) {
        return std::find(lit.begin(), lit.end(), QPoint(x, y)) != lit.end();
    };
    auto drawMark = [&](int dx, int dy, int sx, int sy, int n) {
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const QRgb c = sheet.pixel(sx + x, sy + y);
                if (c != kKey) out.setPixel(dx + x, dy + y, c);
            }
        }
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QChar c = at(x, y);
            const int band = isLit(x, y) ? 2 : 0;
            QImage t;
            // Blank cells inside the room are floor, the rest is outside.
            const bool inside = x >= 2 && x <= 9 && y >= 2 && y <= 6 && !(x == 2 && y == 6);
            if (c == '#') {
                t = at(x, y + 1) == '#' ? tile(0, 5) : tile(1, 5);
            } else if (c == '.') {
                t = tile(0, 2 + band);
            } else if (c == '$') {
                t = tile(6, 1 + band);
            } else if (c == '*') {
                t = tile(6, 2 + band);
            } else if (c == '@') {
                t = tile(3, 1 + band);
            } else if (c == '+') {
                t = tile(4, 2 + band);
            } else if (inside) {
                t = tile(0, 1 + band);
            } else {
                t = tile(2, 5);
            }
            p.drawImage(x * kTile, y * kTile, t);
        }
    }
    p.end();
    // Side arrows on plain floor, on a highlighted cell and on a goal; a small one on a box.
    auto side = [&](QPoint cell, int k) {
        drawMark(cell.x() * kTile + 5, cell.y() * kTile + 5, kMarkX + k * kSideArrowSize,
                 kSideArrowY, kSideArrowSize);
    };
    side(QPoint(6, 2), 0);
    side(QPoint(7, 4), 1);
    side(QPoint(3, 3), 3);
    drawMark(smallMark.x() * kTile + 7, smallMark.y() * kTile + 7, kMarkX + 2 * kSmallArrowSize,
             kSmallArrowY, kSmallArrowSize);
    // The whole sheet below the room.
    QPainter q(&out);
    q.drawImage(0, h * kTile + 4, sheet.copy(0, 0, sheet.width(), 5 * kTile - 4));
    q.drawImage(sheet.width() + 8, h * kTile + 4,
                sheet.copy(0, 5 * kTile, sheet.width(), 4 * kTile));
    q.end();
    return out.scaled(out.width() * 2, out.height() * 2, Qt::IgnoreAspectRatio,
                      Qt::FastTransformation);
}

bool save(const QImage& img, const QString& path) {
    if (img.save(path, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--preview")) {
        std::fprintf(stderr, "usage: ruk-artwork <output folder> [--preview <file>]\n");
        return 2;
    }
    const QDir dir(args[1]);
    if (!dir.exists()) {
        std::fprintf(stderr, "no such folder: %s\n", qPrintable(args[1]));
        return 2;
    }
    const QImage sheet = makeSheet();
    if (!checkSheet(sheet)) return 1;
    bool ok = save(sheet, dir.filePath("ruk_skin.png"));
    ok = save(makeLogo(), dir.filePath("ruk_logo.png")) && ok;
    ok = save(makeIcon(64), dir.filePath("ruk_icon.png")) && ok;
    for (const int size : {48, 128, 256})
        ok = save(makeIcon(size), dir.filePath(QString("ruk_icon_%1.png").arg(size))) && ok;
    if (args.size() == 4) ok = save(makePreview(sheet), args[3]) && ok;
    return ok ? 0 : 1;
}
