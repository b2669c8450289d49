// Drawn texts (see text_drawing.h).
#include "render/text_drawing.h"

#include <QApplication>
#include <QFontMetrics>

namespace ruk {

void InstallFontSubstitutes() {
    QFont::insertSubstitutions(RUK_FONT_FACE, {"IPAPGothic", "IPAGothic", "DejaVu Sans"});
}

void InstallProgramFont() {
    InstallFontSubstitutes();
    // The panel's places were measured for the face at 12 pixels; the substitute is wider, and
    // at 11 pixels every text the panel shows is whole in its place ("UnSolvable" is the
    // tightest).
    QFont font(RUK_FONT_FACE);
    font.setPixelSize(11);
    QApplication::setFont(font);
}

QFont RukFont(int height) {
    QFont font(RUK_FONT_FACE);
    font.setPixelSize(height);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferQuality);
    return font;
}

void DrawRukText(QPainter& painter, int x, int y, int height, const QColor& colour,
                 const QString& text) {
    painter.setFont(RukFont(height));
    painter.setPen(colour);
    const QFontMetrics metrics(painter.font());
    painter.drawText(x, y + metrics.ascent(), text);
}

void DrawWelcomeScreen(QImage& board, int maxWidth, int maxHeight, const QString& line) {
    const int w = maxWidth * 24;
    const int h = maxHeight * 24;
    const int x0 = (w - 370) / 2;
    const int y0 = h / 2;
    const QString greeting = "Use this RUK to clean up the boxes.";
    const QColor light(230, 230, 230);
    const QColor yellow(230, 230, 0);
    QPainter painter(&board);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawRukText(painter, x0 + 1, y0 - 49, 22, Qt::black, greeting);
    DrawRukText(painter, x0 - 1, y0 - 51, 22, light, greeting);
    DrawRukText(painter, 40, h - 104, 18, yellow, "MaxWidth");
    DrawRukText(painter, 40, h - 78, 18, yellow, "MaxHeight");
    DrawRukText(painter, 20, h - 52, 16, light, "  Max size depends on");
    DrawRukText(painter, 20, h - 34, 16, light, "the Display resolution.");
    DrawRukText(painter, 140, h - 104, 18, yellow, QString::number(maxWidth));
    DrawRukText(painter, 140, h - 78, 18, yellow, QString::number(maxHeight));
    if (line.isEmpty()) return;
    // Centred on the board, shadowed as the greeting is; a line wider than the board (a long
    // file name) loses its middle.
    constexpr int LINE_HEIGHT = 16;
    constexpr int LINE_MARGIN = 24;
    const QFontMetrics metrics(RukFont(LINE_HEIGHT));
    const QString shown = metrics.elidedText(line, Qt::ElideMiddle, w - 2 * LINE_MARGIN);
    const int lineX = (w - metrics.horizontalAdvance(shown)) / 2;
    DrawRukText(painter, lineX + 1, y0 + 1, LINE_HEIGHT, Qt::black, shown);
    DrawRukText(painter, lineX - 1, y0 - 1, LINE_HEIGHT, light, shown);
}

void DrawSolverBanner(QImage& board, int maxHeight, const QString& folder,
                      const QString& commandLine) {
    const int h = maxHeight * 24;
    QPainter painter(&board);
    DrawRukText(painter, 6, h - 36, 14, Qt::white, "Command line:");
    DrawRukText(painter, 6, h - 20, 14, Qt::white, folder + ">" + commandLine);
}

}  // namespace ruk
