#include "filters/Mathlib.h"

#include <cmath>
#include <cstdlib>

#include "base/FloatToText.h"
#include "base/MessageHook.h"

void Swap(double& a, double& b) {
    const double t = a;
    a = b;
    b = t;
}

bool Order(double& a, double& b) {
    if (a < b) {
        return true;
    }
    if (a > b) {
        Swap(a, b);
        return true;
    }
    return false;
}

bool RaiseTo(double v, double& p) {
    if (p < v) {
        p = v;
        return true;
    }
    return false;
}

bool RaiseTo(int v, int& p) {
    if (p < v) {
        p = v;
        return true;
    }
    return false;
}

bool LowerTo(double v, double& p) {
    if (p > v) {
        p = v;
        return true;
    }
    return false;
}

bool LowerTo(int v, int& p) {
    if (p > v) {
        p = v;
        return true;
    }
    return false;
}

void MinMax(const double* a, int n, double& min, double& max) {
    // |INT_MIN| does not fit an int; counting in long long keeps it defined.
    const long long count = std::llabs(static_cast<long long>(n));
    min = a[0];
    max = a[0];
    for (long long i = 1; i < count; ++i) {
        if (a[i] < min) {
            min = a[i];
        }
        if (a[i] > max) {
            max = a[i];
        }
    }
}

double Db(double x) {
    if (x > 0) {
        return 20.0 * std::log10(x);
    }
    ShowMessage("Нулевая или отрицательная величина на может быть измерена в децибелах.\n"
                " Произведена коррекция.");
    return -300.0;
}

double FromDb(double db) { return std::pow(10.0, db * 0.05); }

double ArcCosh(double x) {
    if (x >= 1) {
        return std::log(x + std::sqrt(x * x - 1.0));
    }
    ShowMessage("Значение ареакосинуса при x=" + FloatToText(3, x) +
                "не может быть расчитано как действительное.");
    return 1.0;
}

double ArcSinh(double x) { return std::log(x + std::sqrt(x * x + 1.0)); }

int MinusOnePow(int n) { return (n % 2 == 0) ? 1 : -1; }
