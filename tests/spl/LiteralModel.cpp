#include "LiteralModel.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

class Window
{
public:
    explicit Window(const spl::Request& in) : in(in) {}

    std::optional<spl::Result> run()
    {
        pot = in.modelcaixa == 0 ? 1000 : in.modelcaixa == 1 ? 250 : 0;
        CasInclinacio();
        if (!CalcularNearField())
            return std::nullopt;
        for (int i = 1; i <= R.PartYFarField; ++i)
            for (int j = 1; j <= R.ParticionsXmapa; ++j) {
                Calculargraus(X(i, j), Y(i, j), i, j, NField(i, j));
                CalculardBFarField(SPLInicial(i, j), Graus(i, j), X(i, j), Y(i, j), i, j,
                                   NField(i, j));
            }
        OmplirMatriusGradient();
        return R;
    }

private:
    const spl::Request& in;
    spl::Result R;
    int pot = 0;
    std::vector<float> MatriuX, MatriuY, MatriuSPLInicial, MatriuGraus, MatriuSPL;
    std::vector<int> MatriuNField, MatriuBorder;

    std::size_t at(int i, int j) const
    {
        return std::size_t(i - 1) * std::size_t(R.ParticionsXmapa) + std::size_t(j - 1);
    }
    float& X(int i, int j) { return MatriuX[at(i, j)]; }
    float& Y(int i, int j) { return MatriuY[at(i, j)]; }
    float& SPLInicial(int i, int j) { return MatriuSPLInicial[at(i, j)]; }
    float& Graus(int i, int j) { return MatriuGraus[at(i, j)]; }
    int& NField(int i, int j) { return MatriuNField[at(i, j)]; }

    double a(int i) const { return in.angle[std::size_t(i + 1)]; } // a0 .. a15

    static float store(double v)
    {
        return std::isnan(v) ? -std::numeric_limits<float>::infinity() : float(v);
    }

    float CalcularSPLInicial(int p, double numca)
    {
        if (numca == 0)
            return 0;
        const int S = in.modelcaixa == 0 ? 104 : in.modelcaixa == 1 ? 99 : 0;
        return store(10 * std::log10(numca) + S + 10 * std::log10(double(p)));
    }

    void CasInclinacio()
    {
        const int N = in.N; // one box: no splays, a straight array
        for (int i = 1; i <= N - 1 && a(i) == 0; ++i)
            R.CaixesRectes = int16_t(R.CaixesRectes + 1);
        double sum = 0;
        for (int i = R.CaixesRectes + 1; i <= N - 1; ++i)
            sum += a(i);
        if (R.CaixesRectes == N - 1 || sum == 0) {
            R.CasArray = a(0) == 0 ? 1 : 2;
            R.SPLTotalFLAT = CalcularSPLInicial(pot, N);
            return;
        }
        R.CasArray = a(0) == 0 ? 3 : 4;
        R.AlturaRecta = float((R.CaixesRectes + 1) * double(in.alturaunacaixa));
        R.CaixesCorbes = int16_t((N - 1) - R.CaixesRectes);
        R.SPLTotalCURBAT = CalcularSPLInicial(pot, N);
        R.AngleCorbaTotal = float(sum);
        R.AngleCorbaMig = float(double(R.AngleCorbaTotal) / R.CaixesCorbes);
        // Calcularampladaarray, then CalcularRadi.
        const double pi = in.pi;
        double phi = 0;
        for (int i = R.CaixesRectes + 1; i <= in.N - 1; ++i) {
            phi = phi + a(i);
            R.AmpladaCorba = float(R.AmpladaCorba + in.alturaunacaixa * std::sin(phi * pi / 180));
            R.AlturaCorba = float(R.AlturaCorba + in.alturaunacaixa * std::cos(phi * pi / 180));
        }
        R.RadiCorba =
            float(R.AlturaCorba / std::tan(R.AngleCorbaTotal * pi / 180) + R.AmpladaCorba);
    }

    bool CalcularNearField()
    {
        const double Ht = in.N * double(in.alturaunacaixa);
        const double F = in.frequencia / 1000.0;
        const float q = float(1 / std::pow(3 * Ht * F, 2));
        R.distanciaborder = q <= 1 ? float(3 * std::pow(Ht, 2) * F * std::sqrt(1.0 - q) / 2) : 0;
        return PintarMapa();
    }

    float Lref() const
    {
        return (R.CasArray == 1 || R.CasArray == 2) ? R.SPLTotalFLAT : R.SPLTotalCURBAT;
    }

    bool PintarMapa()
    {
        const float Tt = float(in.T);
        const float resolucioy = in.resolucioy;
        R.resolucioy = resolucioy;
        R.PasHoritzontal = float(resolucioy * double(in.picture44Height) / in.picture44Width);
        const bool straight = R.CasArray == 1 || R.CasArray == 2; // CalcularCentreArray
        R.alturarray = straight ? float(in.N * double(in.alturaunacaixa)) : R.AlturaRecta;
        R.ycerclefresnel = float(in.T - R.alturarray / 2.0);
        const float yc = R.ycerclefresnel;
        // Rounded as the default mode does: halves to even.
        const double cols = std::nearbyint(200 * 1.5 / R.PasHoritzontal); // LongitudMapa 200
        const float M = float((in.alturamax + 1.0) * 1.8);
        const double sota = std::nearbyint((resolucioy / 2.0 + yc) / resolucioy);
        const double sobre = std::nearbyint((M - (resolucioy / 2.0 + yc)) / resolucioy);
        if (!(cols >= 0 && sota >= 0 && sobre >= 0 && cols <= 32767 && sota + sobre <= 32767 &&
              (sota + sobre) * cols <= 1e7))
            return false;
        R.ParticionsXmapa = int16_t(cols);
        R.FilesSota = int16_t(sota);
        R.FilesSobre = int16_t(sobre);
        R.PartYFarField = int16_t(R.FilesSobre + R.FilesSota);
        R.frequencia = in.frequencia;
        R.landamig = in.landamig;
        const std::size_t n = std::size_t(R.PartYFarField) * std::size_t(R.ParticionsXmapa);
        for (auto* m : {&MatriuX, &MatriuY, &MatriuSPLInicial, &MatriuGraus, &MatriuSPL})
            m->assign(n, 0);
        MatriuBorder.assign(n, 0);
        MatriuNField.assign(n, 1);
        for (int c = 1; c <= R.ParticionsXmapa; ++c) {
            const float xl = float((c - 1) * double(R.PasHoritzontal));
            const float Xc = float(xl + R.PasHoritzontal / 2.0);
            auto visit = [&](int row, float Yc) {
                X(row, c) = Xc;
                Y(row, c) = Yc;
                const bool far = R.distanciaborder == 0 || xl > R.distanciaborder;
                const bool inside = Tt - double(R.alturarray) <= Yc && Yc <= Tt;
                NField(row, c) = !far && inside;
                MatriuBorder[at(row, c)] = !far && !inside;
                if (NField(row, c) == 1)
                    CalcularcaixesFresnel(X(row, c), Y(row, c), row, c);
                else
                    SPLInicial(row, c) = Lref();
            };
            for (int m = 0; m <= R.FilesSota - 1; ++m)
                visit(R.FilesSobre + 1 + m, float(yc - m * double(resolucioy)));
            for (int m = 1; m <= R.FilesSobre; ++m)
                visit(R.FilesSobre + 1 - m, float(yc + m * double(resolucioy)));
        }
        return true;
    }

    void CalcularcaixesFresnel(float& Xc, float& Yc, int row, int col)
    {
        const double Tt = in.T, B = in.T - R.alturarray, yc = R.ycerclefresnel;
        const double r = std::sqrt((in.landamig + 2.0 * Xc) * in.landamig);
        const double Z = 2 * r;
        const int Nb = (R.CasArray == 1 || R.CasArray == 2) ? in.N : R.CaixesRectes + 1;
        const double d2 = in.ampladaunacaixa;
        double n = 0;
        if (std::fabs(Yc - yc) < 0.008) {
            n = yc + r >= Tt && yc - r <= B ? Nb : Z / d2;
        } else if (Yc >= B && Yc <= Tt) {
            if (Yc + r <= Tt && Yc - r < B)
                n = (Yc + r - B) / d2;
            if (Yc + r <= Tt && Yc - r >= B)
                n = Z / d2;
            if (Yc + r > Tt && Yc - r >= B)
                n = (Tt - (Yc - r)) / d2;
            if (Yc + r >= Tt && Yc - r <= B)
                n = Nb;
        }
        SPLInicial(row, col) = CalcularSPLInicial(pot, n);
    }

    void Calculargraus(float Xc, float Yc, int row, int col, int nf)
    {
        if (nf != 0)
            return;
        const float yc = R.ycerclefresnel; // on the centre's row the angle is 0
        double theta = std::fabs(std::atan((Yc - double(yc)) / Xc)) * 180 / in.pi;
        if (theta < 0.1)
            theta = 0;
        if ((R.CasArray == 3 || R.CasArray == 4) && Yc < yc)
            theta = -theta;
        Graus(row, col) = float(theta);
    }

    void CalculardBFarField(float SPL, float angle, float Xc, float Yc, int row, int col, int nf)
    {
        const double pi = in.pi;
        const float lambda = float(double(in.velso) / in.frequencia);
        const double Tt = in.T, B = in.T - R.alturarray, dB = R.distanciaborder;
        float& out = MatriuSPL[at(row, col)];
        if (nf == 1) {
            if (B <= Yc && Yc <= Tt)
                out = store(SPL - 10 * std::log10(double(Xc)));
            return;
        }
        const double L = Lref();
        if (angle == 0) {
            out = store(dB != 0 ? L - 10 * std::log10(dB) - 20 * std::log10(Xc / dB)
                                : SPL - 20 * std::log10(double(Xc)));
            return;
        }
        const double theta = angle * pi / 180;
        const double Rd = Xc / std::cos(theta);
        const double Ld = dB == 0 ? SPL - 20 * std::log10(Rd)
                          : MatriuBorder[at(row, col)] == 1
                              ? L - 10 * std::log10(Rd)
                              : L - 10 * std::log10(dB) - 20 * std::log10(Rd / dB);
        const double Hs = R.alturarray;
        if (R.CasArray == 1 || R.CasArray == 2) {
            const double x = Hs * 180 * std::sin(theta) * pi / 180 / lambda;
            out = std::sin(x) == 0 ? 0 : store(Ld + 20 * std::log10(std::fabs(std::sin(x)) / x));
            return;
        }
        const int Nc = R.CaixesCorbes;
        const double phi = R.AngleCorbaMig, Rc = R.RadiCorba;
        const double u = pi * std::sin(theta) / lambda;
        const double aa = pi * (180 * Hs * std::sin(theta) / lambda) / 180;
        const double Ss = -std::sin(aa) / u, Cs = std::cos(aa), Ts = -std::sin(aa);
        double Re = 0, Im = 0;
        for (int k = 0; k <= Nc - 1; ++k) {
            const double beta = angle + k * phi;
            const double psi = 360 * Rc / lambda * std::cos(beta * pi / 180) * pi / 180;
            const double num = std::sin(56.52 / lambda * std::sin(beta * pi / 180) * pi / 180);
            const double g = pi * 0.314 * std::sin(beta * pi / 180) / lambda;
            const double e = g == 0 ? 1.0 : num / g;
            Re += e * std::cos(psi);
            Im += e * std::sin(psi);
        }
        const double A = Rc * R.AngleCorbaTotal * pi / 180;
        Re = Re / Nc * A;
        Im = Im / Nc * A;
        const double P = Im * Cs + Ss + Re * Ts, Q = Cs * Re - Im * Ts;
        const double D = std::sqrt(P * P + Q * Q) / (in.N * double(in.alturaunacaixa));
        out = store(Ld + 20 * std::log10(D));
    }

    void OmplirMatriusGradient()
    {
        R.distribucio.assign(std::size_t(R.PartYFarField) * 6, 0);
        const int centre = R.FilesSobre + 1; // shows the level of the row below it
        for (int c = 1; c <= R.ParticionsXmapa; ++c)
            for (int r = 1; r <= R.PartYFarField; ++r) {
                const bool below = r == centre && r + 1 <= R.PartYFarField;
                const float L = MatriuSPL[at(below ? r + 1 : r, c)];
                const int k = L < 95 ? 6 : 1 + (L <= 120) + (L <= 110) + (L <= 105) + (L <= 100);
                R.distribucio[std::size_t(r - 1) * 6 + std::size_t(k - 1)] += 1;
            }
        for (int c = 1; c <= R.ParticionsXmapa; ++c)
            R.columnX.push_back(MatriuX.empty() ? 0 : X(1, c));
        for (int r = 1; r <= R.PartYFarField; ++r)
            R.rowY.push_back(Y(r, 1));
        R.nField.assign(MatriuNField.begin(), MatriuNField.end());
        R.border.assign(MatriuBorder.begin(), MatriuBorder.end());
        R.splInicial.assign(MatriuSPLInicial.begin(), MatriuSPLInicial.end());
        R.graus.assign(MatriuGraus.begin(), MatriuGraus.end());
        R.spl.assign(MatriuSPL.begin(), MatriuSPL.end());
    }
};

} // namespace

std::optional<spl::Result> literalCalculation(const spl::Request& in)
{
    return Window(in).run();
}
