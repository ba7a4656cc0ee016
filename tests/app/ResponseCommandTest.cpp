#include "CommandTools.h"
#include "analysis/RequestFromProject.h"
#include "spl/BandResponse.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

// The project's spectrum at the point asked, in the model asked, as the core
// gives it: every band's level and both averages, to the single; none behind
// the array.
TEST(ResponseCommand, PrintsTheSpectrumAtThePoint)
{
    const HeadlessProject project = loadHeadless(demo, QLocale::c());
    ASSERT_TRUE(project.document && project.document->requestSplWindow());
    for (const auto& [X, Y, model] : {std::tuple{12.25, 3.5, spl::LevelModelKind::Coherent},
                                      {30.0, -1.0, spl::LevelModelKind::Classic}}) {
        const QString at = QString::number(X) + "," + QString::number(Y);
        const Outcome r = command(
            "spectrum", {demo, "--at", at, "--res", "0.5", "--model", spl::levelModelName(model)});
        ASSERT_EQ(r.code, 0) << r.err.constData();
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        EXPECT_EQ(o["model"].toString(), spl::levelModelName(model));
        EXPECT_EQ(std::pair(o["x"].toDouble(), o["y"].toDouble()), std::pair(X, Y));
        const spl::BandResponse s = spl::bandResponseAt(
            spl::requestFromDocument(*project.document,
                                     {1000, "0.5", spl::MapStyle::Distribution, model}),
            X, Y);
        std::vector<int> bands;
        std::vector<float> levels;
        for (const QJsonValue& band : o["levels"].toArray()) {
            bands.push_back(band["freq"].toInt());
            levels.push_back(float(band["level"].toDouble()));
        }
        EXPECT_EQ(bands, std::vector<int>(spl::kFrequencies.begin(), spl::kFrequencies.end()));
        EXPECT_EQ(levels, std::vector<float>(s.levels.begin(), s.levels.end())) << at.toStdString();
        EXPECT_EQ(float(o["average_flat"].toDouble()), float(s.averageFlat));
        EXPECT_EQ(float(o["average_a"].toDouble()), float(s.averageA));
    }
    const QJsonObject behind =
        QJsonDocument::fromJson(command("spectrum", {demo, "--at", "-5,3"}).out).object();
    EXPECT_EQ(behind["model"].toString(), "classic");
    EXPECT_TRUE(behind["levels"][3]["level"].isNull());
    EXPECT_TRUE(behind["average_a"].isNull());
}
