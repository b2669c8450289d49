// The level browser's window (see browser_window.h).
#include "browser/browser_window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace ruk {

namespace {

// Digits typed further apart than this start a new number.
constexpr qint64 DIGIT_PAUSE_MS = 1000;
constexpr int MAX_TYPED = 100000000;

}  // namespace

BrowserWindow::BrowserWindow(BrowserModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(model),
      filter_(new QComboBox(this)),
      search_(new QLineEdit(this)),
      view_(new QTableView(this)),
      note_(new QLabel(this)) {
    setWindowTitle("RUK - Levels");
    filter_->addItems({"All levels", "Unsolved", "Solved", "With a kept game"});
    search_->setPlaceholderText("Search titles and numbers");
    search_->setClearButtonEnabled(true);
    auto* top = new QHBoxLayout;
    top->addWidget(filter_);
    top->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    layout->addWidget(note_);

    view_->setModel(&model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setIconSize(QSize(THUMBNAIL_WIDTH, THUMBNAIL_HEIGHT));
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    // Every row of one height: the view need not measure rows it does not show.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(THUMBNAIL_HEIGHT + 6);
    view_->horizontalHeader()->setStretchLastSection(false);
    view_->horizontalHeader()->setSectionResizeMode(BrowserModel::TITLE, QHeaderView::Stretch);
    view_->setColumnWidth(BrowserModel::THUMBNAIL, THUMBNAIL_WIDTH + 8);
    view_->setColumnWidth(BrowserModel::NUMBER, 60);
    view_->setColumnWidth(BrowserModel::SIZE, 140);
    view_->installEventFilter(this);
    resize(860, 560);

    connect(filter_, &QComboBox::currentIndexChanged, this, [this] { emit FilterChanged(); });
    connect(search_, &QLineEdit::textChanged, this, [this] { emit FilterChanged(); });
    connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int number = model_.NumberAt(index.row())) emit Activated(number);
    });
}

RowFilter BrowserWindow::Filter() const {
    switch (filter_->currentIndex()) {
        case 1:
            return RowFilter::UNSOLVED;
        case 2:
            return RowFilter::SOLVED;
        case 3:
            return RowFilter::KEPT_GAME;
        default:
            return RowFilter::ALL;
    }
}

std::string BrowserWindow::Search() const {
    return search_->text().trimmed().toStdString();
}

bool BrowserWindow::SelectNumber(int number) {
    const int row = model_.RowOf(number);
    if (row < 0) return false;
    const QModelIndex index = model_.index(row, BrowserModel::NUMBER);
    view_->setCurrentIndex(index);
    view_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

int BrowserWindow::CurrentNumber() const {
    return model_.NumberAt(view_->currentIndex().row());
}

void BrowserWindow::SetNote(const QString& text) {
    note_->setText(text);
}

QString BrowserWindow::Note() const {
    return note_->text();
}

bool BrowserWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (const int number = CurrentNumber()) emit Activated(number);
        return true;
    }
    if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        TypeDigit(key->key() - Qt::Key_0);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BrowserWindow::TypeDigit(int digit) {
    if (!lastDigit_.isValid() || lastDigit_.elapsed() > DIGIT_PAUSE_MS || typed_ >= MAX_TYPED / 10)
        typed_ = 0;
    lastDigit_.start();
    typed_ = typed_ * 10 + digit;
    SelectNumber(typed_);
}

void BrowserWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && !event->isAutoRepeat()) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BrowserWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit Hidden();
}

}  // namespace ruk
