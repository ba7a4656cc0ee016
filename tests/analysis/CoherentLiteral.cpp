#include "CoherentLiteral.h"

#include <cmath>
#include <complex>
#include <numbers>

double literalCoherentLevel(const spl::Request& q, double X, double Y)
{
    const double h = q.modelcaixa == 0 ? 0.314 : 0.181;
    const double k = 2 * std::numbers::pi * q.frequencia / 345.0;
    std::complex<double> p = 0;
    double topX = 0, topY = q.T, degrees = 0;
    for (int j = 1; j <= q.N; ++j) {
        degrees += q.angle[std::size_t(j)];
        const double theta = degrees / 180 * std::numbers::pi;
        const double cx = topX - h / 2 * std::sin(theta), cy = topY - h / 2 * std::cos(theta);
        const double ax = std::cos(theta), ay = -std::sin(theta);
        const double dx = X - cx, dy = Y - cy;
        const double distance = std::hypot(dx, dy);
        const double phi = distance == 0 ? 0 : std::atan2(ax * dy - ay * dx, ax * dx + ay * dy);
        const double u = k * h / 2 * std::sin(phi);
        const double D = (u == 0 ? 1 : std::sin(u) / u) * (1 + std::cos(phi)) / 2;
        const double r = std::max(distance, 0.01);
        p += D * std::polar(1 / r, -k * r);
        topX -= h * std::sin(theta);
        topY -= h * std::cos(theta);
    }
    const double S = q.modelcaixa == 0 ? 104 : 99;
    const double L = S + 10 * std::log10(double(q.pot)) + 20 * std::log10(std::abs(p));
    return L > 0 ? L : 0;
}
