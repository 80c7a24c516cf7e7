// The reference curves' colours as people with the common colour-vision
// deficiencies see them: apart from each other and from the black of the
// current output, and visible on the white net.
//
// Sources of the numbers:
// - sRGB (IEC 61966-2-1): the transfer curve, the linear RGB to XYZ matrix and
//   the D65 white point;
// - CIELAB and CIEDE2000 as in G. Sharma, W. Wu, E. N. Dalal, "The CIEDE2000
//   color-difference formula: implementation notes, supplementary test data,
//   and mathematical observations", Color Research & Application 30(1), 2005;
//   the formula is checked against four pairs of its Table 1;
// - the simulation matrices of G. M. Machado, M. M. Oliveira, L. A. F.
//   Fernandes, "A Physiologically-based Model for Simulation of Color Vision
//   Deficiency", IEEE TVCG 15(6), 2009, severity 1.0 (protanopia,
//   deuteranopia, tritanopia), applied to linear RGB.

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "chart/TReferenceCurves.h"

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
struct Lab {
    double L, a, b;
};

const double kPi = std::acos(-1.0);

double Linear(int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

Lab ToLab(const QColor& colour, const Matrix& vision) {
    const double rgb[3] = {Linear(colour.red()), Linear(colour.green()), Linear(colour.blue())};
    double s[3];
    for (int i = 0; i < 3; ++i) {
        s[i] = std::clamp(vision[i][0] * rgb[0] + vision[i][1] * rgb[1] + vision[i][2] * rgb[2],
                          0.0, 1.0);
    }
    const double X = 0.4124564 * s[0] + 0.3575761 * s[1] + 0.1804375 * s[2];
    const double Y = 0.2126729 * s[0] + 0.7151522 * s[1] + 0.0721750 * s[2];
    const double Z = 0.0193339 * s[0] + 0.1191920 * s[1] + 0.9503041 * s[2];
    auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    const double fx = f(X / 0.95047), fy = f(Y / 1.0), fz = f(Z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Deg(double rad) {
    return rad * 180 / kPi;
}
double Rad(double deg) {
    return deg * kPi / 180;
}

double CIEDE2000(const Lab& p, const Lab& q) {
    const double C1 = std::hypot(p.a, p.b), C2 = std::hypot(q.a, q.b);
    const double Cm7 = std::pow((C1 + C2) / 2, 7);
    const double G = 0.5 * (1 - std::sqrt(Cm7 / (Cm7 + std::pow(25.0, 7))));
    const double a1 = (1 + G) * p.a, a2 = (1 + G) * q.a;
    const double C1p = std::hypot(a1, p.b), C2p = std::hypot(a2, q.b);
    auto hue = [](double b, double a) {
        return a == 0 && b == 0 ? 0.0 : std::fmod(Deg(std::atan2(b, a)) + 360, 360);
    };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    double dh = 0;
    if (C1p * C2p != 0) {
        dh = h2 - h1;
        dh += dh > 180 ? -360 : dh < -180 ? 360 : 0;
    }
    const double dL = q.L - p.L;
    const double dC = C2p - C1p;
    const double dH = 2 * std::sqrt(C1p * C2p) * std::sin(Rad(dh / 2));
    const double Lm = (p.L + q.L) / 2;
    const double Cm = (C1p + C2p) / 2;
    double hm = h1 + h2;
    if (C1p * C2p != 0) {
        hm = std::fabs(h1 - h2) <= 180 ? (h1 + h2) / 2
             : h1 + h2 < 360           ? (h1 + h2 + 360) / 2
                                       : (h1 + h2 - 360) / 2;
    }
    const double T = 1 - 0.17 * std::cos(Rad(hm - 30)) + 0.24 * std::cos(Rad(2 * hm)) +
                     0.32 * std::cos(Rad(3 * hm + 6)) - 0.20 * std::cos(Rad(4 * hm - 63));
    const double dTheta = 30 * std::exp(-std::pow((hm - 275) / 25, 2));
    const double Cp7 = std::pow(Cm, 7);
    const double RC = 2 * std::sqrt(Cp7 / (Cp7 + std::pow(25.0, 7)));
    const double SL = 1 + 0.015 * (Lm - 50) * (Lm - 50) / std::sqrt(20 + (Lm - 50) * (Lm - 50));
    const double SC = 1 + 0.045 * Cm;
    const double SH = 1 + 0.015 * Cm * T;
    const double RT = -std::sin(Rad(2 * dTheta)) * RC;
    return std::sqrt(std::pow(dL / SL, 2) + std::pow(dC / SC, 2) + std::pow(dH / SH, 2) +
                     RT * (dC / SC) * (dH / SH));
}

struct Vision {
    const char* name;
    Matrix m;
};
const Vision kVisions[] = {
    {"normal", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
    {"protanopia",
     {{{0.152286, 1.052583, -0.204868},
       {0.114503, 0.786281, 0.099216},
       {-0.003882, -0.048116, 1.051998}}}},
    {"deuteranopia",
     {{{0.367322, 0.860646, -0.227968},
       {0.280085, 0.672501, 0.047413},
       {-0.011820, 0.042940, 0.968881}}}},
    {"tritanopia",
     {{{1.255528, -0.076749, -0.178779},
       {-0.078411, 0.930809, 0.147602},
       {0.004733, 0.691367, 0.303900}}}},
};

double Distance(const QColor& a, const QColor& b, const Matrix& vision) {
    return CIEDE2000(ToLab(a, vision), ToLab(b, vision));
}

TEST(ReferenceColours, TheColourDifferenceFormulaGivesThePublishedValues) {
    EXPECT_NEAR(CIEDE2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 5e-5);
    EXPECT_NEAR(CIEDE2000({50, 0, 0}, {50, -1, 2}), 2.3669, 5e-5);
    EXPECT_NEAR(CIEDE2000({50, 2.5, 0}, {50, 0, -2.5}), 4.3065, 5e-5);
    EXPECT_NEAR(CIEDE2000({60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}), 1.2644,
                5e-5);
    // Every simulation leaves grey grey: its rows sum to one.
    for (const Vision& v : kVisions) {
        for (const auto& row : v.m) {
            EXPECT_NEAR(row[0] + row[1] + row[2], 1.0, 1e-5) << v.name;
        }
    }
}

TEST(ReferenceColours, ApartUnderEveryDeficiencyAndFromBlackAndWhite) {
    std::array<QColor, TReferenceCurves::MaxReferences> colours;
    for (int i = 0; i < TReferenceCurves::MaxReferences; ++i) {
        colours[static_cast<std::size_t>(i)] = ReferenceStyle(i).color;
    }
    for (const Vision& v : kVisions) {
        for (std::size_t i = 0; i < colours.size(); ++i) {
            for (std::size_t j = i + 1; j < colours.size(); ++j) {
                EXPECT_GE(Distance(colours[i], colours[j], v.m), 18.0)
                    << v.name << ": slots " << i << " and " << j;
            }
            // The current output is black, the net white.
            EXPECT_GE(Distance(colours[i], Qt::black, v.m), 20.0) << v.name << ": slot " << i;
            EXPECT_GE(Distance(colours[i], Qt::white, v.m), 30.0) << v.name << ": slot " << i;
        }
    }
    // The bound tells look-alikes: Okabe and Ito's orange and vermillion,
    // two references of old, fall well within it for deuteranopes.
    EXPECT_LT(Distance(QColor(0xE6, 0x9F, 0x00), QColor(0xD5, 0x5E, 0x00), kVisions[2].m), 14.0);
}

TEST(ReferenceColours, DashPatternsDifferToo) {
    for (int i = 0; i < TReferenceCurves::MaxReferences; ++i) {
        for (int j = i + 1; j < TReferenceCurves::MaxReferences; ++j) {
            EXPECT_NE(ReferenceStyle(i).dashes, ReferenceStyle(j).dashes) << i << " " << j;
        }
    }
}

} // namespace
