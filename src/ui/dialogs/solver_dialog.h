// The Solver dialog: the solver's kind, name, time limit and whether to play its answer, checked
// on every change and saved; Start writes the job files.
#pragma once

#include <string>

#include "dialogs/dialog_frame.h"
#include "records/core_state.h"
#include "settings/settings.h"
#include "solver/solver_job.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace ruk {

class SolverDialog : public DialogFrame {
  public:
    SolverDialog(const CoreState& core, const WorkingPaths& paths, std::string programFolder,
                 QWidget* parent);

    // Start passed the check and the job files are written: the run may begin.
    bool Started() const { return started_; }
    const SolverJob& Job() const { return job_; }
    const SolverSettings& Settings() const { return settings_; }

    QRadioButton* FestivalChoice() const { return festival_; }
    QRadioButton* OtherChoice() const { return other_; }
    QLineEdit* NameBox() const { return name_; }
    QLineEdit* TimeBox() const { return time_; }
    QCheckBox* PlayBox() const { return play_; }
    QPushButton* StartButton() const { return start_; }
    QString Message() const;

    // Reads the controls into the settings, saves them and shows the check's verdict.
    bool Check();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void StartRun();

    const CoreState& core_;
    WorkingPaths paths_;
    std::string programFolder_;
    SolverSettings settings_;
    SolverJob job_;
    bool started_ = false;
    QRadioButton* festival_;
    QRadioButton* other_;
    QLineEdit* name_;
    QLineEdit* time_;
    QCheckBox* play_;
    QPushButton* start_;
    QLabel* message_;
};

}  // namespace ruk
