// Text that the program draws itself: the welcome screen, the banners. One face, bold, at the
// height each drawing names; a text is placed by the top-left corner of its line.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace ruk {

constexpr const char* RUK_FONT_FACE = "MS UI Gothic";

// Where the face is missing, a Japanese Gothic of the system stands in for it.
void InstallFontSubstitutes();
// The substitutes, and the face as the font of every control of the program.
void InstallProgramFont();

QFont RukFont(int height);
void DrawRukText(QPainter& painter, int x, int y, int height, const QColor& colour,
                 const QString& text);

// Over the empty board at start-up: the greeting and the grid size the display allows, and
// line (when not empty) centred below the greeting.
void DrawWelcomeScreen(QImage& board, int maxWidth, int maxHeight, const QString& line = {});

// Over the bottom of the board while a solver job starts: its command line, as at a prompt.
void DrawSolverBanner(QImage& board, int maxHeight, const QString& folder,
                      const QString& commandLine);

}  // namespace ruk
