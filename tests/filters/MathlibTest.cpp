#include "filters/Mathlib.h"
#include "filters/Interp.h"

#include <climits>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "base/MessageHook.h"

TEST(Mathlib, DecibelsAndTheirDomainMessage) {
    MessageRecorder rec;
    EXPECT_DOUBLE_EQ(Db(1.0), 0.0);
    EXPECT_DOUBLE_EQ(Db(0.1), -20.0);
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_EQ(Db(0.0), -300.0);
    EXPECT_EQ(Db(-2.0), -300.0);
    EXPECT_EQ(Db(std::numeric_limits<double>::quiet_NaN()), -300.0);
    const std::string text = "Нулевая или отрицательная величина на может быть измерена в "
                             "децибелах.\n Произведена коррекция.";
    EXPECT_EQ(rec.Messages(), (std::vector<std::string>{text, text, text}));
    EXPECT_DOUBLE_EQ(FromDb(-20.0), 0.1);
    EXPECT_DOUBLE_EQ(FromDb(0.0), 1.0);
}

TEST(Mathlib, InverseHyperbolics) {
    MessageRecorder rec;
    EXPECT_DOUBLE_EQ(ArcCosh(1.0), 0.0);
    EXPECT_NEAR(ArcCosh(std::cosh(2.5)), 2.5, 1e-12);
    EXPECT_NEAR(ArcSinh(std::sinh(-1.5)), -1.5, 1e-12);
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_EQ(ArcCosh(0.5), 1.0);
    EXPECT_EQ(rec.Take(), std::vector<std::string>{"Значение ареакосинуса при x=0,500не может быть "
                                                   "расчитано как действительное."});
    EXPECT_EQ(ArcCosh(std::numeric_limits<double>::quiet_NaN()), 1.0);
    EXPECT_EQ(rec.Messages().size(), 1u);
}

TEST(Mathlib, OrderingAndClamping) {
    double a = 2, b = 1;
    EXPECT_TRUE(Order(a, b));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_TRUE(Order(a, b));
    a = b = 1;
    EXPECT_FALSE(Order(a, b));

    double p = 5;
    EXPECT_FALSE(RaiseTo(3.0, p));
    EXPECT_EQ(p, 5);
    p = 2;
    EXPECT_TRUE(RaiseTo(3.0, p));
    EXPECT_EQ(p, 3);
    EXPECT_TRUE(LowerTo(1.0, p));
    EXPECT_EQ(p, 1);
    int ip = 4;
    EXPECT_FALSE(LowerTo(9, ip));
    EXPECT_TRUE(RaiseTo(9, ip));
    EXPECT_EQ(ip, 9);

    const double values[] = {4, -1, 7};
    double mn = 0, mx = 0;
    MinMax(values, -3, mn, mx);
    EXPECT_EQ(mn, -1);
    EXPECT_EQ(mx, 7);
    MinMax(values, 0, mn, mx);
    EXPECT_EQ(mn, 4);
    EXPECT_EQ(mx, 4);

    EXPECT_EQ(MinusOnePow(0), 1);
    EXPECT_EQ(MinusOnePow(-3), -1);
    EXPECT_EQ(MinusOnePow(7), -1);
    EXPECT_EQ(MinusOnePow(INT_MIN), 1);
}

TEST(Interp, KernelValues) {
    const double h = 2.0;
    EXPECT_DOUBLE_EQ(Kernel(0.25 * h, h, 0), 0.75);
    EXPECT_DOUBLE_EQ(Kernel(-h, h, 0), 0.0);
    EXPECT_DOUBLE_EQ(Kernel(0.5 * h, h, 1), 0.5);
    EXPECT_NEAR(Kernel(h, h, 3), 0.0, 1e-15);
    EXPECT_EQ(Kernel(0.0, h, 3), 1.0);
    EXPECT_EQ(Kernel(-5 * h, h, 5), 1.0);
    EXPECT_EQ(Kernel(h, h, 5), 0.0);
    EXPECT_EQ(Kernel(0.495 * h, h, 6), 1.0);
    EXPECT_EQ(Kernel(0.5 * h, h, 6), 0.0);
    EXPECT_EQ(Kernel(0.49 * h, h, 4), 1.0);
    EXPECT_EQ(Kernel(0.5 * h, h, 4), 0.0);
    for (int kind : {-1, 7, 100}) {
        EXPECT_EQ(Kernel(0.0, h, kind), 0.0);
    }
    for (int kind = 0; kind <= 6; ++kind) {
        EXPECT_EQ(Kernel(0.0, 0.0, kind), 0.0);
    }
    EXPECT_DOUBLE_EQ(InterpWeight(1, 2.5, 2.0, 0), 0.75);
}

TEST(Interp, PolynomialKernelsAreContinuousAndInterpolating) {
    for (int kind : {1, 2}) {
        EXPECT_DOUBLE_EQ(Kernel(0.0, 1.0, kind), 1.0);
        for (int whole = 1; whole <= 3; ++whole) {
            EXPECT_NEAR(Kernel(whole, 1.0, kind), 0.0, 1e-12) << kind << " at " << whole;
        }
        for (double u : {0.5, 1.0, 1.5, 2.0}) {
            EXPECT_NEAR(Kernel(u - 1e-9, 1.0, kind), Kernel(u + 1e-9, 1.0, kind), 1e-7)
                << kind << " at " << u;
        }
    }
}
