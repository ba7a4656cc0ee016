#include "spl/gui/MapCalculation.h"

#include "i18n/Languages.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

namespace spl {

namespace {

/// How often the waiting side looks at the calculation.
constexpr std::chrono::milliseconds kPoll{15};

} // namespace

MapCalculation::MapCalculation(Languages& languages, QWidget* owner)
    : m_languages(languages), m_owner(owner)
{
}

MapCalculation::Ended MapCalculation::run(const CalculationSettings& settings, const MapJob& job)
{
    // What the calculating thread and this one share.
    struct Shared
    {
        std::atomic<bool> cancel{false};
        std::atomic<bool> done{false};
        std::atomic<int> partsDone{0};
        std::atomic<int> parts{1};
        std::shared_ptr<ShownMap> map;
        std::exception_ptr error;
    } shared;

    std::thread worker([&shared, &settings, &job] {
        try {
            shared.map = calculateMap(
                settings, job, 0, [&shared] { return shared.cancel.load(); },
                [&shared](int done, int total) {
                    shared.parts = total;
                    shared.partsDone = done;
                });
        } catch (...) {
            shared.error = std::current_exception();
        }
        shared.done = true;
    });

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPoll);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (shared.done)
            loop.quit();
    });
    poll.start();

    // First a quiet wait, taking no input, as short calculations were.
    QTimer::singleShot(m_showAfter, &loop, &QEventLoop::quit);
    if (!shared.done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!shared.done) {
        QProgressDialog bar(m_owner);
        bar.setObjectName(QStringLiteral("CalculationProgress"));
        bar.setWindowTitle(
            m_languages.GetLabel(QStringLiteral("Principal"), QStringLiteral("Frame7")));
        bar.setLabelText(m_languages.GetLabel(QStringLiteral("SPL"), QStringLiteral("Progress")));
        bar.setCancelButtonText(
            m_languages.GetLabel(QStringLiteral("Generic"), QStringLiteral("Cancel")));
        bar.setWindowModality(Qt::ApplicationModal);
        bar.setAutoClose(false);
        bar.setAutoReset(false);
        bar.setMinimumDuration(0);
        bar.setRange(0, 1);
        bar.setValue(0);
        QObject::connect(&bar, &QProgressDialog::canceled, &loop, [&] {
            shared.cancel = true;
            loop.quit();
        });
        QObject::connect(&poll, &QTimer::timeout, &bar, [&] {
            bar.setMaximum(shared.parts);
            bar.setValue(shared.partsDone);
        });
        // The arrow over the bar, whatever busy cursor the caller shows.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        bar.show();
        if (!shared.done && !shared.cancel)
            loop.exec();
        bar.hide();
        QApplication::restoreOverrideCursor();
    }
    // A cancelled grid ends at its next batch of rows.
    worker.join();

    if (shared.error)
        std::rethrow_exception(shared.error);
    if (shared.cancel)
        return {Outcome::Cancelled, nullptr};
    if (!shared.map)
        return {Outcome::Refused, nullptr};
    return {Outcome::Done, std::move(shared.map)};
}

} // namespace spl
