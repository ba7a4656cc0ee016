// The automatic splay window over the main window: a search run from it and
// cancelled, its proposal shown, applied and undone.

#include "spl/gui/AutosplayWindow.h"
#include "analysis/RequestFromProject.h"
#include "platform/Numbers.h"
#include "project/gui/MainWindowFixture.h"
#include "project/gui/UndoHistory.h"

#include <QChart>
#include <QChartView>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace {

class AutosplayWindowTest : public MainWindowTest
{
protected:
    AutosplayWindowTest()
    {
        EXPECT_TRUE(loadDemo());
        autosplay.show();
    }

    QPushButton* button(const char* name) { return autosplay.findChild<QPushButton*>(name); }
    QTableWidget* table(const char* name) { return autosplay.findChild<QTableWidget*>(name); }
    /// The angle numbers of the boxes in use, as a calculation reads them.
    std::vector<double> angles()
    {
        const spl::Request r = spl::requestFromDocument(doc, doc.calculationSettings());
        std::vector<double> v;
        for (int k = 1; k <= r.N; ++k)
            v.push_back(r.angle[k]);
        return v;
    }
    /// Presses Run, runs `during` and waits for the search to end.
    void run(const std::function<void()>& during = [] {})
    {
        button("CommandRun")->click();
        ASSERT_TRUE(autosplay.isRunning());
        EXPECT_FALSE(button("CommandRun")->isEnabled());
        during();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !autosplay.isRunning(); }, 120000));
        EXPECT_TRUE(button("CommandRun")->isEnabled());
    }

    spl::AutosplayWindow autosplay{doc, languages, &window};
};

} // namespace

// The proposal shows as angles beside the project's, figures and curves before
// and after; Apply writes every angle as one step that one undo takes back, and
// Apply is open only while the project is the one searched.
TEST_F(AutosplayWindowTest, AProposalIsShownAppliedAsOneStepAndUndone)
{
    // Splays of 0 that the minimum of 1 degree forbids: the proposal must differ.
    std::vector<double> start = angles();
    std::fill(start.begin() + 1, start.end(), 0.0);
    doc.setAngles(start);
    autosplay.findChild<QDoubleSpinBox*>("SpinMinSplay")->setValue(1);
    const DocumentData before = doc.data();
    const int steps = window.history().stack().count();

    run();
    ASSERT_TRUE(autosplay.proposal());
    const spl::AutosplayProposal& p = *autosplay.proposal();
    EXPECT_EQ(p.current, start);
    ASSERT_EQ(p.proposed.size(), start.size());
    EXPECT_GE(*std::min_element(p.proposed.begin() + 1, p.proposed.end()), 1.0); // the least splay
    QTableWidget* rows = table("TableAngles");
    ASSERT_EQ(rows->rowCount(), int(start.size()));
    for (int r = 0; r < rows->rowCount(); ++r) {
        const auto i = std::size_t(r);
        EXPECT_EQ(rows->item(r, 1)->text(), numbers::generalDouble(p.current[i], QLocale()));
        EXPECT_EQ(rows->item(r, 2)->text(), numbers::generalDouble(p.proposed[i], QLocale()));
    }
    QTableWidget* figures = table("TableFigures");
    EXPECT_EQ(figures->item(0, 1)->text(), QLocale().toString(p.Jbefore, 'f', 2));
    EXPECT_EQ(figures->item(0, 2)->text(), QLocale().toString(p.Jafter, 'f', 2));

    // Before dashed and after solid, per area, with the proposal's levels.
    QChart* chart = autosplay.findChild<QChartView*>("Chart")->chart();
    ASSERT_EQ(chart->series().size(), 2 * qsizetype(p.levelsAfter.areas.size()));
    for (const auto& [levels, name, style] : {std::tuple{&p.levelsBefore, "Before", Qt::DashLine},
                                              {&p.levelsAfter, "After", Qt::SolidLine}})
        for (const spl::AreaCurve& curve : levels->areas) {
            auto* s =
                chart->findChild<QLineSeries*>(QStringLiteral("%1%2").arg(name).arg(curve.number));
            ASSERT_NE(s, nullptr) << name << curve.number;
            EXPECT_EQ(s->pen().style(), style);
            ASSERT_EQ(s->count(), qsizetype(curve.points.size()));
            EXPECT_EQ(s->at(5).y(), double(curve.points[5].level)) << name << curve.number;
        }

    ASSERT_TRUE(button("CommandApply")->isEnabled());
    button("CommandApply")->click();
    EXPECT_EQ(angles(), p.proposed);
    EXPECT_EQ(window.history().stack().count(), steps + 1);
    EXPECT_FALSE(button("CommandApply")->isEnabled()); // applied: no longer the project searched

    window.history().undo();
    EXPECT_TRUE(sameProject(doc.data(), before));
    EXPECT_TRUE(button("CommandApply")->isEnabled()); // the project searched again

    enter(Control::Text1, "4");
    EXPECT_FALSE(button("CommandApply")->isEnabled());
}

// A search cancelled, or refused for a grid too large, ends with no proposal
// and says why; the project and its history are as they were.
TEST_F(AutosplayWindowTest, ASearchWithoutAProposalLeavesTheProjectAsItWas)
{
    for (const bool cancel : {true, false}) {
        if (!cancel)
            doc.setCalculationSettings({1000, "0.001", spl::MapStyle::Distribution});
        const DocumentData before = doc.data();
        const int steps = window.history().stack().count();
        run([&] {
            if (cancel)
                button("CommandCancel")->click();
        });
        EXPECT_FALSE(autosplay.proposal()) << cancel;
        EXPECT_EQ(autosplay.findChild<QLabel*>("LabelStatus")->text(),
                  cancel ? languages.GetLabel("Autosplay", "Cancelled")
                         : languages.GetLabel("MsgBox", "Grid"));
        EXPECT_TRUE(sameProject(doc.data(), before)) << cancel;
        EXPECT_EQ(window.history().stack().count(), steps) << cancel;
        EXPECT_FALSE(button("CommandApply")->isEnabled()) << cancel;
        EXPECT_EQ(table("TableAngles")->rowCount(), 0) << cancel;
    }
}
