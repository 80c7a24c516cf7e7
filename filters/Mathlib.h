#pragma once
// Small numeric helpers: ordering and clamping for chart ranges, decibels and
// inverse hyperbolic functions for the low-pass design, and a sign helper.

// Exchanges a and b.
void Swap(double& a, double& b);
// Puts a and b in ascending order. False only when they are equal (a range of
// no size); NaN compares neither way and also gives false.
bool Order(double& a, double& b);
// p := max(p, v); true when p changed.
bool RaiseTo(double v, double& p);
bool RaiseTo(int v, int& p);
// p := min(p, v); true when p changed.
bool LowerTo(double v, double& p);
bool LowerTo(int v, int& p);
// Smallest and largest of a[0 .. |n|-1]; both start at a[0], so a must hold at
// least one value even for n = 0.
void MinMax(const double* a, int n, double& min, double& max);
// 20*log10(x) for x > 0; for anything else (NaN included) shows a message and
// gives -300.
double Db(double x);
// 10^(db/20).
double FromDb(double db);
// ln(x + sqrt(x^2 - 1)) for x >= 1; otherwise shows a message and gives 1.
double ArcCosh(double x);
// ln(x + sqrt(x^2 + 1)) for any x.
double ArcSinh(double x);
// (-1)^n: 1 for even n, -1 for odd n, negative n included.
int MinusOnePow(int n);
