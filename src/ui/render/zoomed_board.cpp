// Scaling the board's back buffer (see zoomed_board.h). Each source row is widened once and the
// widened row copied for the rest of its scale, so a redraw at 96 pixels costs about one write
// of the board area.
#include "render/zoomed_board.h"

#include <algorithm>
#include <cstring>

#include "render/board_renderer.h"

namespace ruk {

namespace {

// One view row from one buffer row: dest pixels [from, to) take buffer pixels from sourceX on,
// each repeated scale times, the first one only for what remains of its run (skip pixels of it
// lie left of the view).
template <int SCALE>
void WidenRow(const QRgb* source, int sourceX, int skip, QRgb* out, int from, int to) {
    int x = from;
    for (int k = skip; k < SCALE && x < to; ++k) out[x++] = source[sourceX];
    ++sourceX;
    for (; x + SCALE <= to; x += SCALE, ++sourceX)
        for (int k = 0; k < SCALE; ++k) out[x + k] = source[sourceX];
    for (; x < to; ++x) out[x] = source[sourceX];
}

void Widen(int scale, const QRgb* source, int sourceX, int skip, QRgb* out, int from, int to) {
    switch (scale) {
        case 2:
            WidenRow<2>(source, sourceX, skip, out, from, to);
            break;
        case 3:
            WidenRow<3>(source, sourceX, skip, out, from, to);
            break;
        case 4:
            WidenRow<4>(source, sourceX, skip, out, from, to);
            break;
        default:
            WidenRow<1>(source, sourceX, skip, out, from, to);
            break;
    }
}

// Floor division, for view pixels left of or above the buffer's origin.
int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

void ShowZoomedBoard(const CoreState& core, const QImage& buffer, const BoardZoom& zoom,
                     QImage& view) {
    const Grids& grids = core.level.grids;
    const int width = grids.maxWidth * CELL_PIXELS;
    const int height = grids.maxHeight * CELL_PIXELS;
    if (view.width() != width || view.height() != height || view.format() != QImage::Format_RGB32)
        view = QImage(width, height, QImage::Format_RGB32);
    const int scale = std::max(zoom.scale, 1);
    // The view columns the buffer covers, and where the first of them starts in the buffer.
    const int from = std::clamp(zoom.originX, 0, width);
    const int to = std::clamp(zoom.originX + buffer.width() * scale, from, width);
    const int firstX = FloorDiv(from - zoom.originX, scale);
    const int skip = (from - zoom.originX) - firstX * scale;
    const qsizetype rowBytes = static_cast<qsizetype>(width) * sizeof(QRgb);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb* previous = nullptr;
    int previousSource = -1;
    for (int y = 0; y < height; ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(view.scanLine(y));
        const int sourceY = FloorDiv(y - zoom.originY, scale);
        if (sourceY < 0 || sourceY >= buffer.height() || from >= to) {
            std::fill(out, out + width, black);
            previous = nullptr;
            continue;
        }
        if (sourceY == previousSource && previous) {
            std::memcpy(out, previous, rowBytes);
            continue;
        }
        const QRgb* source = reinterpret_cast<const QRgb*>(buffer.constScanLine(sourceY));
        std::fill(out, out + from, black);
        Widen(scale, source, firstX, skip, out, from, to);
        std::fill(out + to, out + width, black);
        previous = out;
        previousSource = sourceY;
    }
    if (core.level.editor.editMode == EditMode::PLAY)
        DrawStatusBanner(core.level.board.status, view, scale * CELL_PIXELS,
                         height - 3 * scale * CELL_PIXELS, scale);
}

}  // namespace ruk
