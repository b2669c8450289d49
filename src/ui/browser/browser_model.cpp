// The level browser's list (see browser_model.h).
#include "browser/browser_model.h"

#include <algorithm>

namespace ruk {

namespace {

const char* const HEADERS[BrowserModel::COLUMNS] = {
    "Level", "No.", "Title", "Size", "Solved", "Best moves", "Best pushes", "Kept game"};

QString SizeText(const BrowserRow& row) {
    return QStringLiteral("%1 x %2, %3 %4")
        .arg(row.cols)
        .arg(row.rows)
        .arg(row.boxes)
        .arg(row.boxes == 1 ? "box" : "boxes");
}

}  // namespace

QString BestText(const BestCounts& best) {
    return best.present ? QStringLiteral("%1/%2").arg(best.moves).arg(best.pushes) : QString();
}

BrowserModel::BrowserModel(const LevelRows& rows, ThumbnailMaker& thumbnails, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), thumbnails_(thumbnails) {}

void BrowserModel::SetListed(std::vector<int> listed) {
    if (listed == listed_) return;
    beginResetModel();
    listed_ = std::move(listed);
    endResetModel();
}

int BrowserModel::NumberAt(int row) const {
    return row >= 0 && row < static_cast<int>(listed_.size())
               ? listed_[static_cast<std::size_t>(row)]
               : 0;
}

int BrowserModel::RowOf(int number) const {
    const auto at = std::lower_bound(listed_.begin(), listed_.end(), number);
    return at != listed_.end() && *at == number ? static_cast<int>(at - listed_.begin()) : -1;
}

void BrowserModel::LevelsChanged(int first, int last) {
    const auto from = std::lower_bound(listed_.begin(), listed_.end(), first);
    const auto to = std::upper_bound(listed_.begin(), listed_.end(), last);
    if (from >= to) return;
    emit dataChanged(index(static_cast<int>(from - listed_.begin()), 0),
                     index(static_cast<int>(to - listed_.begin()) - 1, COLUMNS - 1));
}

void BrowserModel::ThumbnailReady(int number) {
    const int row = RowOf(number);
    if (row >= 0) emit dataChanged(index(row, THUMBNAIL), index(row, THUMBNAIL));
}

int BrowserModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(listed_.size());
}

int BrowserModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : COLUMNS;
}

QVariant BrowserModel::data(const QModelIndex& index, int role) const {
    const int number = NumberAt(index.row());
    if (number == 0) return QVariant();
    const BrowserRow row = rows_.Row(number);
    if (role == Qt::DecorationRole && index.column() == THUMBNAIL) {
        if (row.state != RowState::READ) return QVariant();
        // Asked only for the rows the view paints: only those are drawn.
        const QImage image = thumbnails_.Get(number, row.fileStart);
        return image.width() > 1 ? QVariant(image) : QVariant();
    }
    if (role == Qt::TextAlignmentRole && index.column() != TITLE) return QVariant(Qt::AlignCenter);
    if (role == Qt::DisplayRole) return Text(number, row, index.column());
    return QVariant();
}

QVariant BrowserModel::Text(int number, const BrowserRow& row, int column) const {
    if (column == NUMBER) return number;
    if (row.state == RowState::UNREAD) return column == TITLE ? QStringLiteral("...") : QString();
    if (row.state == RowState::UNREADABLE)
        return column == TITLE ? QStringLiteral("(cannot be read: the file has changed)")
                               : QString();
    switch (column) {
        case TITLE:
            return QString::fromLatin1(row.title.c_str());
        case SIZE:
            return SizeText(row);
        case SOLVED:
            return row.solved ? QStringLiteral("solved") : QString();
        case BEST_MOVES:
            return BestText(row.byMoves);
        case BEST_PUSHES:
            return BestText(row.byPushes);
        case KEPT:
            return row.hasGame ? QStringLiteral("kept") : QString();
        default:
            return QVariant();
    }
}

QVariant BrowserModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= COLUMNS)
        return QVariant();
    return QString::fromLatin1(HEADERS[section]);
}

}  // namespace ruk
