// The level browser's window: a filter, a search box and the list of levels. Non-modal; its
// close box hides it. Typed digits pick the level of that number; Enter or a double click asks
// for the level to be shown.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "browser/browser_model.h"
#include "level_browser/row_filter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace ruk {

constexpr int THUMBNAIL_WIDTH = 120;
constexpr int THUMBNAIL_HEIGHT = 72;

class BrowserWindow : public QWidget {
    Q_OBJECT

  public:
    BrowserWindow(BrowserModel& model, QWidget* parent);

    RowFilter Filter() const;
    std::string Search() const;
    // Makes the list row of level number current and shows it; false when it is not listed.
    bool SelectNumber(int number);
    // The number of the current list row; 0 for none.
    int CurrentNumber() const;
    void SetNote(const QString& text);
    QString Note() const;
    QTableView* View() const { return view_; }
    QComboBox* FilterBox() const { return filter_; }
    QLineEdit* SearchBox() const { return search_; }

  signals:
    void Activated(int number);
    void FilterChanged();
    void Hidden();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // F2 hides the browser from its own keys too.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void TypeDigit(int digit);

    BrowserModel& model_;
    QComboBox* filter_;
    QLineEdit* search_;
    QTableView* view_;
    QLabel* note_;
    int typed_ = 0;
    QElapsedTimer lastDigit_;
};

}  // namespace ruk
