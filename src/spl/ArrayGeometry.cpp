#include "spl/ArrayGeometry.h"

#include <cmath>
#include <limits>

namespace spl {

float landamigFor(int16_t velso, int16_t frequencia)
{
    const auto twice = static_cast<int16_t>(2 * frequencia);
    return static_cast<float>(static_cast<double>(velso) / twice);
}

Request bandRequest(const Request& request, int16_t hz)
{
    Request one = request;
    one.frequencia = hz;
    one.landamig = landamigFor(one.velso, hz);
    one.bands.reset();
    return one;
}

bool isBandCentre(int hz)
{
    for (const int16_t f : kFrequencies)
        if (f == hz)
            return true;
    return false;
}

float CalcularSPLInicial(int pot, double numca, int modelcaixa)
{
    if (numca == 0)
        return 0;
    const double S = sensitivity(modelcaixa);
    const double level = 10.0 * std::log10(numca) + S + 10.0 * std::log10(double(pot));
    // A negative count (only from a negative box pitch) has no level: the lowest one.
    return std::isnan(level) ? -std::numeric_limits<float>::infinity() : static_cast<float>(level);
}

void CasInclinacio(const Request& in, Geometry& g)
{
    const int N = in.N;
    const double a0 = in.angle[1];
    auto splay = [&](int i) { return in.angle[std::size_t(i + 1)]; }; // ai, i = 1..N-1
    const auto straight = [&] {
        g.CasArray = a0 == 0 ? 1 : 2;
        g.SPLTotalFLAT = CalcularSPLInicial(in.pot, N, in.modelcaixa);
    };

    g.CaixesRectes = 0;
    g.AngleCorbaTotal = 0;
    if (N == 1) {
        straight();
        return;
    }
    int rectes = 0;
    for (int i = 1; i <= N - 1 && splay(i) == 0; ++i)
        ++rectes;
    g.CaixesRectes = static_cast<int16_t>(rectes);
    if (rectes == N - 1) {
        straight();
        return;
    }
    double total = 0;
    for (int i = rectes + 1; i <= N - 1; ++i)
        total += splay(i);
    if (total == 0) {
        straight();
        return;
    }
    g.CasArray = a0 == 0 ? 3 : 4;
    g.AlturaRecta = static_cast<float>((rectes + 1) * double(in.alturaunacaixa));
    g.CaixesCorbes = static_cast<int16_t>((N - 1) - rectes);
    g.SPLTotalCURBAT = CalcularSPLInicial(in.pot, N, in.modelcaixa);
    g.AngleCorbaTotal = static_cast<float>(total);
    g.AngleCorbaMig = static_cast<float>(double(g.AngleCorbaTotal) / g.CaixesCorbes);
    Calcularampladaarray(in, g);
    CalcularRadi(in, g);
}

void Calcularampladaarray(const Request& in, Geometry& g)
{
    const double pi = in.pi;
    const double h = in.alturaunacaixa;
    g.AmpladaCorba = 0;
    g.AlturaCorba = 0;
    double phi = 0;
    for (int i = g.CaixesRectes + 1; i <= in.N - 1; ++i) {
        phi += in.angle[std::size_t(i + 1)];
        g.AmpladaCorba = static_cast<float>(g.AmpladaCorba + h * std::sin(phi * pi / 180));
        g.AlturaCorba = static_cast<float>(g.AlturaCorba + h * std::cos(phi * pi / 180));
    }
}

void CalcularRadi(const Request& in, Geometry& g)
{
    const double pi = in.pi;
    g.RadiCorba =
        static_cast<float>(g.AlturaCorba / std::tan(g.AngleCorbaTotal * pi / 180) + g.AmpladaCorba);
}

void CalcularCentreArray(const Request& in, Geometry& g)
{
    if (g.curved())
        g.alturarray = g.AlturaRecta;
    else
        g.alturarray = static_cast<float>(in.N * double(in.alturaunacaixa));
    g.ycerclefresnel = static_cast<float>(in.T - g.alturarray / 2.0);
}

float CalcularNearField(const Request& in)
{
    const double Ht = in.N * double(in.alturaunacaixa);
    const double F = in.frequencia / 1000.0;
    const double p = 3 * Ht * F;
    const float q = static_cast<float>(1 / (p * p));
    if (q <= 1)
        return static_cast<float>(3 * (Ht * Ht) * F * std::sqrt(1 - double(q)) / 2);
    return 0;
}

} // namespace spl
