#pragma once

#include "spl/Request.h"

#include <random>

/// A project as the main window could hold it: one of the two models, 1 to 16
/// boxes with angles from the models' lists (now and then a typed one), a
/// height and an audience reach, at one of the band centres.
inline spl::Request randomRequest(std::mt19937& rng, int16_t frequencia, float resolucioy)
{
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<>(lo, hi)(rng);
    };
    auto pick = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(rng); };
    spl::Request r;
    r.modelcaixa = int16_t(pick(2));
    r.pot = spl::potFor(r.modelcaixa);
    r.alturaunacaixa = r.modelcaixa == 0 ? 0.314f : 0.181f;
    r.ampladaunacaixa = r.modelcaixa == 0 ? 0.572f : 0.49f;
    r.N = 1 + pick(16);
    const double steps[] = {0, 0, 0, 0.5, 1, 1.5, 2, 3, 4, 5, 7.5, 10};
    r.angle[1] = pick(3) == 0 ? 0 : pick(14);
    for (int k = 2; k <= 16; ++k)
        r.angle[std::size_t(k)] = k <= r.N ? steps[pick(12)] : 0;
    if (pick(8) == 0 && r.N > 1) // a typed angle, perhaps negative
        r.angle[std::size_t(1 + pick(r.N))] = std::round(uniform(-4, 9) * 10) / 10;
    r.T = std::round(uniform(r.N * r.alturaunacaixa + 0.5, 14) * 10) / 10;
    r.alturamax = float(std::max(r.T, std::round(uniform(0, 12))));
    r.offsetmax = float(std::round(uniform(5, 80)));
    r.frequencia = frequencia;
    r.landamig = spl::landamigFor(r.velso, frequencia);
    r.resolucioy = resolucioy;
    return r;
}
