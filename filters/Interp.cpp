#include "filters/Interp.h"

#include <cmath>

double InterpWeight(int i, double t, double h, int kind) { return Kernel(t - i * h, h, kind); }

double Kernel(double t, double h, int kind) {
    if (h == 0) {
        return 0.0;
    }
    const double ah = std::fabs(h);
    const double at = std::fabs(t);
    switch (kind) {
    case 0:
        return at < ah ? 1.0 - at / ah : 0.0;
    case 1: {
        const double u = std::fabs(t / h);
        const double u2 = u * u;
        if (u <= 0.5) {
            return 1.0 - 3.0 * u2 + 4.0 * u2 * u2;
        }
        if (u <= 1.5) {
            return 4.5 * u - 10.5 * u2 + 8.0 * u2 * u - 2.0 * u2 * u2;
        }
        return 0.0;
    }
    case 2: {
        const double u = std::fabs(t / h);
        const double u2 = u * u;
        const double u3 = u2 * u;
        if (u <= 1.0) {
            return 1.0 - u2 - 4.5 * u3 + 7.5 * u2 * u2 - 3.0 * u2 * u3;
        }
        if (u <= 2.0) {
            return -4.0 + 18.0 * u - 29.0 * u2 + 21.5 * u3 - 7.5 * u2 * u2 + u2 * u3;
        }
        return 0.0;
    }
    case 3: {
        if (t == 0) {
            return 1.0;
        }
        const double x = M_PI * t / h;
        return std::sin(x) / x;
    }
    case 4:
        return at < 0.5 * ah ? 1.0 : 0.0;
    case 5:
        return t < ah ? 1.0 : 0.0;
    case 6:
        return at <= 0.5 * (0.99 * ah) ? 1.0 : 0.0;
    default:
        return 0.0;
    }
}
