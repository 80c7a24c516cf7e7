#include "filters/CDoubleList.h"

#include <climits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The list's rules written out plainly on a vector.
struct Model {
    std::vector<double> v;

    bool Add(const double* values, int n) {
        for (int k = 0; k < n; ++k) {
            v.push_back(values ? values[k] : 0.0);
        }
        return true;
    }
    void RemoveLast(int n) {
        if (n <= 0) {
            return;
        }
        v.resize(n >= int(v.size()) ? 0 : v.size() - n);
    }
    void Shift() {
        for (int i = int(v.size()) - 1; i > 0; --i) {
            v[i] = v[i - 1];
        }
        if (!v.empty()) {
            v[0] = 0.0;
        }
    }
    bool SetAt(int i, double x) {
        if (i < 0) {
            return true;
        }
        if (i >= int(v.size())) {
            v.resize(i + 1, 0.0);
        }
        v[i] = x;
        return true;
    }
    bool SetCount(int n) {
        v.resize(n <= 0 ? 0 : n, 0.0);
        return true;
    }
    double GetAt(int i) const { return (i < 0 || i >= int(v.size())) ? 0.0 : v[i]; }
    double Max(int& index) const {
        index = 0;
        if (v.empty()) {
            return 0.0;
        }
        double best = v[0];
        for (int i = 1; i < int(v.size()); ++i) {
            if (v[i] > best) {
                best = v[i];
                index = i;
            }
        }
        return best;
    }
    double Sum() const {
        double s = v.empty() ? 0.0 : v[0];
        for (int i = 1; i < int(v.size()); ++i) {
            s += v[i];
        }
        return s;
    }
};

// Everything the list can tell about itself must agree with the model,
// including the chain of next pointers that a caller could walk.
void ExpectSame(const CDoubleList& list, const Model& model) {
    const int n = int(model.v.size());
    ASSERT_EQ(list.GetLastIndex(), n - 1);
    int walked = 0;
    for (const CDoubleUnit* u = list.GetUnit(0); u != nullptr; u = u->GetNext()) {
        ASSERT_LT(walked, n);
        ASSERT_EQ(u->GetValue(), model.v[walked]);
        ASSERT_EQ(u, list.GetUnit(walked));
        ++walked;
    }
    ASSERT_EQ(walked, n);
    ASSERT_EQ(list.GetLast(), n ? list.GetUnit(n - 1) : nullptr);
    ASSERT_EQ(list.GetUnit(-1), nullptr);
    ASSERT_EQ(list.GetUnit(n), nullptr);
    for (int i = -1; i <= n; ++i) {
        ASSERT_EQ(list.GetAt(i), model.GetAt(i));
    }
    int li = -1, mi = -1;
    ASSERT_EQ(list.Max(&li), model.Max(mi));
    ASSERT_EQ(li, mi);
    ASSERT_EQ(list.Sum(), model.Sum());
}

} // namespace

TEST(CDoubleList, MatchesReferenceModelUnderRandomOperations) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> op(0, 10);
    std::uniform_int_distribution<int> small(-3, 12);
    std::uniform_int_distribution<int> value(-5, 5); // small integers make ties in Max
    CDoubleList list;
    Model model;
    for (int step = 0; step < 20000; ++step) {
        SCOPED_TRACE(step);
        const int n = small(rng);
        const double x = value(rng) * 0.5;
        switch (op(rng)) {
        case 0: {
            std::vector<double> vals(n > 0 ? n : 0);
            for (double& d : vals) {
                d = value(rng);
            }
            ASSERT_EQ(list.Add(vals.data(), n), model.Add(vals.data(), n));
            break;
        }
        case 1:
            ASSERT_TRUE(list.Add(n));
            model.Add(nullptr, n);
            break;
        case 2:
            list.RemoveLast(n);
            model.RemoveLast(n);
            break;
        case 3:
            list.Clear();
            model.v.assign(model.v.size(), 0.0);
            break;
        case 4:
        case 5:
        case 6:
            list.Shift();
            model.Shift();
            ASSERT_TRUE(list.SetAt(1, x));
            model.SetAt(1, x);
            break;
        case 7:
            ASSERT_TRUE(list.SetAt(n, x));
            model.SetAt(n, x);
            break;
        case 8:
            ASSERT_TRUE(list.SetCount(n));
            model.SetCount(n);
            break;
        case 9:
            ASSERT_TRUE(list.SetLastIndex(n));
            model.SetCount(n + 1);
            break;
        default:
            list.Shift();
            model.Shift();
            break;
        }
        ExpectSame(list, model);
    }
}

TEST(CDoubleList, CopiesAreDeepAndKeepLogicalOrder) {
    CDoubleList a;
    const double vals[] = {1, 2, 3, 4};
    ASSERT_TRUE(a.Add(vals, 4));
    a.Shift(); // ring turned: copying must follow logical order
    CDoubleList b(a);
    a.SetAt(1, 99.0);
    EXPECT_EQ(b.GetAt(0), 0.0);
    EXPECT_EQ(b.GetAt(1), 1.0);
    EXPECT_EQ(b.GetAt(3), 3.0);
    CDoubleList c;
    c = b;
    CDoubleList& same = c;
    c = same;
    b.Clear();
    EXPECT_EQ(c.Sum(), 6.0);
    CDoubleList d(std::move(c));
    EXPECT_EQ(d.GetLastIndex(), 3);
    EXPECT_EQ(c.GetLastIndex(), -1);
}

TEST(CDoubleList, EdgeCases) {
    CDoubleList list;
    EXPECT_EQ(list.GetLast(), nullptr);
    EXPECT_EQ(list.Sum(), 0.0);
    int where = 7;
    EXPECT_EQ(list.Max(&where), 0.0);
    EXPECT_EQ(where, 0);
    list.Shift(); // nothing to move
    list.RemoveLast(3);
    EXPECT_EQ(list.GetLastIndex(), -1);

    EXPECT_TRUE(list.SetAt(5, 7.0));
    EXPECT_EQ(list.GetLastIndex(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.GetAt(i), 0.0);
    }
    EXPECT_EQ(list.GetLast()->GetValue(), 7.0);
    EXPECT_TRUE(list.SetAt(-2, 1.0));
    EXPECT_EQ(list.GetLastIndex(), 5);

    EXPECT_TRUE(list.SetCount(6));
    EXPECT_EQ(list.GetAt(5), 7.0);
    EXPECT_TRUE(list.SetCount(-3));
    EXPECT_EQ(list.GetLastIndex(), -1);

    const double vals[] = {3, 5, 5, 1};
    list.Add(vals, 4);
    EXPECT_EQ(list.Max(&where), 5.0);
    EXPECT_EQ(where, 1);
    EXPECT_EQ(list.GetAt(-1), 0.0);
    EXPECT_EQ(list.GetAt(4), 0.0);

    CDoubleList one;
    one.SetAt(0, 4.0);
    one.Shift();
    EXPECT_EQ(one.GetAt(0), 0.0);
    EXPECT_EQ(one.GetLastIndex(), 0);
}

TEST(CDoubleList, MeasurementWindowAveragesUnitsOneToTwentyFive) {
    CDoubleList window;
    ASSERT_TRUE(window.SetLastIndex(25));
    EXPECT_EQ(window.GetLastIndex(), 25);
    for (int k = 1; k <= 40; ++k) {
        window.Shift();
        window.SetAt(1, k);
        EXPECT_EQ(window.GetAt(0), 0.0);
    }
    // Units 1..25 hold 40 down to 16.
    EXPECT_DOUBLE_EQ(window.Sum() * 0.04, (40 + 16) / 2.0);
}

TEST(CDoubleList, RefusedGrowthLeavesTheListUnchanged) {
    CDoubleList list;
    const double vals[] = {1, 2, 3};
    list.Add(vals, 3);
    list.Shift();
    EXPECT_FALSE(list.Add(CDoubleList::MaxCount));
    EXPECT_FALSE(list.Add(INT_MAX)); // count + n would overflow an int
    EXPECT_FALSE(list.SetAt(INT_MAX, 1.0));
    EXPECT_FALSE(list.SetLastIndex(INT_MAX));
    EXPECT_FALSE(list.SetCount(CDoubleList::MaxCount + 1));
    ASSERT_EQ(list.GetLastIndex(), 2);
    EXPECT_EQ(list.GetAt(0), 0.0);
    EXPECT_EQ(list.GetAt(1), 1.0);
    EXPECT_EQ(list.GetAt(2), 2.0);
    EXPECT_EQ(list.GetUnit(2)->GetNext(), nullptr);
}
