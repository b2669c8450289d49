// The panel's group boxes (see panel_group_box.h).
#include "window/panel_group_box.h"

#include <QFontMetrics>
#include <QPainter>

namespace ruk {

namespace {

constexpr int TITLE_LEFT = 8;     // the title's first pixel, from the box's left edge
constexpr int TITLE_PADDING = 2;  // floor left clear on each side of the title

}  // namespace

PanelGroupBox::PanelGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    // Children are placed in the window, not by this box: it lays nothing out.
    setContentsMargins(0, 0, 0, 0);
}

int PanelGroupBox::FrameTop() const {
    return QFontMetrics(font()).height() / 2;
}

void PanelGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, FrameTop(), -1, -1);
    // An etched line: a dark one with a light one beside it, inside.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));

    const QFontMetrics metrics(font());
    const QRect titleArea(TITLE_LEFT - TITLE_PADDING, 0,
                          metrics.horizontalAdvance(title()) + 2 * TITLE_PADDING, metrics.height());
    painter.fillRect(titleArea, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(titleArea, Qt::AlignCenter, title());
}

}  // namespace ruk
