#pragma once

#include "analysis/Autosplay.h"
#include "i18n/Languages.h"
#include "project/ProjectDocument.h"

#include <QDialog>
#include <atomic>
#include <optional>

class QChart;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QThread;

namespace spl {

/// The automatic splay: the user sets the band range, the target slope, the
/// listening height, the smallest splay and whether box 1 keeps its tilt;
/// Run searches the angles on a worker thread (with a progress bar, and
/// Cancel), then the window shows the proposal beside the project's angles,
/// the figures before and after, and the level along the areas before
/// (dashed) and after (solid). Apply writes the proposal into the document as
/// one step of the undo history.
///
/// The search works on a copy of the project taken at Run, so that a cancel
/// leaves the project as it was. A proposal belongs to that project: Apply is
/// disabled while the project differs from it (an edit, or the proposal
/// applied), and enabled again when it comes back (an undo).
class AutosplayWindow : public QDialog, public iLanguage
{
    Q_OBJECT
public:
    AutosplayWindow(ProjectDocument& doc, Languages& languages, QWidget* owner);
    ~AutosplayWindow() override;

    /// The options as the controls hold them.
    AutosplayOptions options() const;
    /// Sets the listening height control, m.
    void setListeningHeight(double height);
    /// The last proposal, if a search ended with one.
    const std::optional<AutosplayProposal>& proposal() const { return m_proposal; }
    /// Whether a search runs.
    bool isRunning() const { return m_worker != nullptr; }

    /// Starts a search of the project as it stands (Run).
    void run();
    /// Asks a running search to stop (Cancel); the project is left alone.
    void cancel();
    /// Writes the proposal into the project (Apply).
    void apply();

    void relabel();
    void Updated() override { relabel(); }

signals:
    /// A search ended, with a proposal or without (cancelled, no listening point,
    /// a grid too large, no memory or thread to be had).
    void searchEnded();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    enum class Status { Idle, Running, Cancelled, NoPoint, Refused, Failed, Done, Stale, Applied };

    void buildLayout();
    void finishSearch();
    void projectChanged();
    void fillProposal();
    void fillAngles();
    void fillFigures();
    void fillPlot();
    void updateControls();
    QString areaName(int number) const;
    QString label(const char* tag) const;

    ProjectDocument& m_doc;
    Languages& m_languages;

    QComboBox* m_low = nullptr;
    QComboBox* m_high = nullptr;
    QDoubleSpinBox* m_slope = nullptr;
    QDoubleSpinBox* m_height = nullptr;
    QDoubleSpinBox* m_minSplay = nullptr;
    QCheckBox* m_keepTilt = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QTableWidget* m_angles = nullptr;
    QTableWidget* m_figures = nullptr;
    QChart* m_chart = nullptr;

    QThread* m_worker = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_permille{0};
    Request m_request;                        ///< what the search was given
    std::optional<AutosplayProposal> m_found; ///< written by the worker, read when it ended
    bool m_failed = false;                    ///< the system refused memory or a thread
    std::optional<AutosplayProposal> m_proposal;
    DocumentData m_searched; ///< the project the proposal was made for
    std::optional<DocumentData> m_applied;
    Status m_state = Status::Idle;
};

} // namespace spl
