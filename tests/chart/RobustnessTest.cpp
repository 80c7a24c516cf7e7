#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "base/MessageHook.h"
#include "chart/TDiagram.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A value that is often ordinary and sometimes hostile.
double Wild(std::mt19937& g) {
    static const double special[] = {0.0,  -0.0, 1e-7, -1e-7, 1e-300, 1e300, -1e300,  kInf, -kInf,
                                     kNaN, 1e5,  -1e5, 2e5,   5e-7,   1e-12, 99999.9, 0.5,  -0.5};
    std::uniform_int_distribution<int> pick(0, 9);
    if (pick(g) == 0) {
        return special[std::uniform_int_distribution<int>(0, std::size(special) - 1)(g)];
    }
    const double mag = std::pow(10.0, std::uniform_real_distribution<double>(-7, 6)(g));
    return std::uniform_real_distribution<double>(-1, 1)(g) * mag;
}

double Plain(double x) {
    return std::sin(x) * 3;
}

} // namespace

// Random sequences of operations on ranges, limits, sizes, precisions and
// series: the chart must neither crash nor hang, and must keep a usable range.
TEST(Robustness, RandomOperationSequences) {
    MessageRecorder quiet;
    std::mt19937 g(20240611);
    std::vector<std::vector<double>> arrays;
    for (int a = 0; a < 4; ++a) {
        std::vector<double> v(static_cast<std::size_t>(1 + a * 40));
        for (double& x : v) {
            x = Wild(g);
        }
        arrays.push_back(std::move(v));
    }
    TDiagram d;
    d.resize(120, 90);
    std::uniform_int_distribution<int> op(0, 21);
    std::uniform_int_distribution<int> small(0, 200);
    for (int sequence = 0; sequence < 2000; ++sequence) {
        for (int step = 0; step < 4; ++step) {
            TKeeper* k = d.GetKeeper(static_cast<unsigned char>(small(g) % 4));
            if (k == nullptr) {
                k = d.GetKeeper(0);
            }
            switch (op(g)) {
            case 0:
                d.SetRangeX(Wild(g), Wild(g));
                break;
            case 1:
                d.SetRangeY(Wild(g), Wild(g));
                break;
            case 2:
                d.SetLimitX(Wild(g), Wild(g));
                break;
            case 3:
                d.SetLimitY(Wild(g), Wild(g));
                break;
            case 4:
                d.resize(small(g) % 160, small(g) % 120);
                d.ShowDiagram();
                break;
            case 5:
                d.SetPrecisionX(static_cast<int>(Wild(g)));
                break;
            case 6:
                d.SetPrecisionY(small(g) - 100);
                break;
            case 7:
                d.NewKeeperList(static_cast<unsigned char>(small(g) % 5));
                break;
            case 8: {
                const auto& a = arrays[static_cast<std::size_t>(small(g)) % arrays.size()];
                k->SetData(a.data(), static_cast<int>(a.size()), Wild(g), Wild(g));
                break;
            }
            case 9:
                k->SetGraphKind(static_cast<unsigned char>(small(g) % 8));
                break;
            case 10:
                k->SetInterpKind(static_cast<unsigned char>(small(g) % 8));
                k->SetSymmetry(static_cast<unsigned char>(small(g) % 3));
                break;
            case 11:
                k->SetPeriod(Wild(g));
                break;
            case 12:
                k->SetMarkSamples(small(g) % 2 == 0);
                k->SetPenWidth(small(g) - 20);
                break;
            case 13:
                d.AutoRangeX();
                break;
            case 14:
                d.AutoRangeY();
                d.AutoRangeYAverage();
                break;
            case 15:
                d.IncreaseXmin();
                d.ReduceXmax();
                d.IncreaseYmax();
                d.ReduceYmin();
                break;
            case 16: {
                QMouseEvent ev(QEvent::MouseMove, QPointF(small(g) % 160, small(g) % 120),
                               QPointF(0, 0), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(&d, &ev);
                break;
            }
            case 17:
                d.ShowPoint(Wild(g), Wild(g), Qt::red);
                break;
            case 18:
                k->SetFunctionData(&Plain, small(g) - 10, Wild(g), Wild(g));
                break;
            case 19:
                k->SetConstantData(Wild(g), small(g) - 10, Wild(g), Wild(g));
                break;
            case 20:
                d.SetShowFeeler(small(g) % 2 == 0);
                break;
            case 21:
                k->SetScale(Wild(g));
                d.ShowDiagram();
                break;
            }
        }
        d.ShowDiagram();
        ASSERT_LT(d.GetXmin(), d.GetXmax()) << sequence;
        ASSERT_LT(d.GetYmin(), d.GetYmax()) << sequence;
        ASSERT_GE(d.GetXmin(), d.GetLimitXmin()) << sequence;
        ASSERT_LE(d.GetXmax(), d.GetLimitXmax()) << sequence;
        ASSERT_GE(d.GetYmin(), d.GetLimitYmin()) << sequence;
        ASSERT_LE(d.GetYmax(), d.GetLimitYmax()) << sequence;
        ASSERT_LE(d.GetPrecisionX(), 8);
        ASSERT_GE(d.GetPrecisionY(), 0);
    }
}
