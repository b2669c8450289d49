// The level browser's list: the listed rows of a LevelRows as a table, each row read from the
// shared rows only when the view asks for it, its thumbnail asked of the maker then.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "browser/thumbnail_maker.h"
#include "level_browser/level_rows.h"

namespace ruk {

class BrowserModel : public QAbstractTableModel {
  public:
    enum Column { THUMBNAIL, NUMBER, TITLE, SIZE, SOLVED, BEST_MOVES, BEST_PUSHES, KEPT, COLUMNS };

    BrowserModel(const LevelRows& rows, ThumbnailMaker& thumbnails, QObject* parent = nullptr);

    // The numbers listed, in order (ascending).
    void SetListed(std::vector<int> listed);
    const std::vector<int>& Listed() const { return listed_; }
    // The level number of a list row, 0 for none; the list row of a number, -1 when not listed.
    int NumberAt(int row) const;
    int RowOf(int number) const;
    // Rows first … last (level numbers) changed, or the thumbnail of number is ready.
    void LevelsChanged(int first, int last);
    void ThumbnailReady(int number);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant Text(int number, const BrowserRow& row, int column) const;

    const LevelRows& rows_;
    ThumbnailMaker& thumbnails_;
    std::vector<int> listed_;
};

// "moves/pushes", or "" for no solution.
QString BestText(const BestCounts& best);

}  // namespace ruk
