// The Solver dialog (see solver_dialog.h).
#include "dialogs/solver_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "render/text_drawing.h"
#include "settings/profile_file.h"

namespace ruk {

namespace {

constexpr int NAME_LIMIT = 99;
constexpr int TIME_DIGITS = 9;

QFont DialogFont() {
    QFont font(RUK_FONT_FACE, 12);
    return font;
}

}  // namespace

SolverDialog::SolverDialog(const CoreState& core, const WorkingPaths& paths,
                           std::string programFolder, QWidget* parent)
    : DialogFrame(parent, DialogFont(), 300, 150),
      core_(core),
      paths_(paths),
      programFolder_(std::move(programFolder)),
      settings_(LoadSolverSettings(paths_, FirstSolverChoice(programFolder_))) {
    setWindowTitle("Solver");
    auto label = [this](const char* text, int x, int y, int w) {
        auto* shown = new QLabel(text, this);
        Place(shown, x, y, w, 11);
        return shown;
    };
    label("# Please put all solver programs in the program folder.", 7, 6, 286);
    label("# Solver  Command Line", 7, 20, 286);
    festival_ = new QRadioButton(" Festival   (-out solutions.sok)", this);
    Place(festival_, 14, 33, 276, 12);
    other_ = new QRadioButton(" Solver  -in (in_file)  -out (out_file)  -time (sec)", this);
    Place(other_, 14, 47, 276, 12);
    label("Solver file name", 28, 64, 72);
    name_ = new QLineEdit(this);
    name_->setMaxLength(NAME_LIMIT);
    Place(name_, 104, 62, 140, 13);
    label("# Time limit", 7, 86, 64);
    time_ = new QLineEdit(this);
    time_->setMaxLength(TIME_DIGITS);
    time_->setAlignment(Qt::AlignRight);
    time_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), time_));
    Place(time_, 72, 84, 44, 13);
    label("sec", 120, 86, 30);
    play_ = new QCheckBox("Auto-play when solved.", this);
    Place(play_, 14, 104, 170, 12);
    start_ = AddButton("Start", 226, 100, 64, 16, true);
    message_ = new QLabel(this);
    QPalette red = message_->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    message_->setPalette(red);
    Place(message_, 7, 126, 286, 12);

    (settings_.solverChoice == SolverKind::Festival ? festival_ : other_)->setChecked(true);
    name_->setText(QString::fromLocal8Bit(settings_.solverFileName.c_str()));
    time_->setText(QString::number(settings_.solverTimeLimit));
    play_->setChecked(settings_.autoPlayWhenSolved == AutoPlay::On);
    name_->installEventFilter(this);
    connect(festival_, &QRadioButton::clicked, this, [this] { Check(); });
    connect(other_, &QRadioButton::clicked, this, [this] { Check(); });
    connect(play_, &QCheckBox::clicked, this, [this] { Check(); });
    connect(start_, &QPushButton::clicked, this, [this] { StartRun(); });
    Check();
}

QString SolverDialog::Message() const {
    return message_->text();
}

bool SolverDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::FocusOut) Check();
    return DialogFrame::eventFilter(watched, event);
}

bool SolverDialog::Check() {
    settings_.solverChoice =
        festival_->isChecked() ? SolverKind::Festival : SolverKind::OtherProgram;
    settings_.solverFileName = name_->text().left(NAME_LIMIT).toLocal8Bit().toStdString();
    settings_.solverTimeLimit = ProfileNumber(time_->text().left(TIME_DIGITS).toStdString());
    settings_.autoPlayWhenSolved = play_->isChecked() ? AutoPlay::On : AutoPlay::Off;
    SaveSolverSettings(paths_, settings_);
    const std::string verdict = CheckSolver(settings_, programFolder_);
    message_->setText(QString::fromLatin1(verdict.c_str()));
    return verdict.empty();
}

void SolverDialog::StartRun() {
    if (!Check()) return;
    job_ = WriteJobFiles(core_, settings_, paths_, programFolder_);
    if (!job_.message.empty()) {
        message_->setText(QString::fromLatin1(job_.message.c_str()));
        return;
    }
    started_ = true;
    done(QDialog::Accepted);
}

}  // namespace ruk
