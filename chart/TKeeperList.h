#pragma once
// The series list of a chart: the base series, held here and numbered 0, and
// the series chained behind it through Next, numbered 1, 2, ... by position
// after every operation. Series added here are owned by the list; a series
// borrowed from another list by linking it behind this one's base must be
// unlinked before this list deletes its series or is destroyed.
//
// Numbers are 8 bits wide, so the list holds at most 255 series; every walk
// stops there, so that a borrowed chain with a cycle cannot hang it.

#include "chart/TKeeper.h"

class TKeeperList {
  public:
    TKeeperList();
    ~TKeeperList();
    TKeeperList(const TKeeperList&) = delete;
    TKeeperList& operator=(const TKeeperList&) = delete;

    // Empties the list, then appends series until it holds n (when n >= 2);
    // stops at the first failure.
    void NewList(unsigned char n);
    // Destroys every series after the base, in list order.
    void DeleteList();
    // Appends a series; its number, or 0 when none could be made (a failed
    // allocation shows a message).
    unsigned char New();
    // The same returning the series, or null.
    TKeeper* PNew();
    // Removes series k and renumbers those behind it. The base series is
    // refused with a message; a series not in the list changes nothing.
    void Delete(TKeeper* k);
    // The first series whose number is n, or null.
    TKeeper* Get(unsigned char n);
    TKeeper& Base() { return BaseKeeper; }
    const TKeeper& Base() const { return BaseKeeper; }
    // Number of series including the base.
    unsigned char Length() const;

    // Calls f(series) for every series from the base on, in list order.
    template <class F> void ForEach(F f) {
        int n = 0;
        for (TKeeper* k = &BaseKeeper; k != nullptr && n <= kMaxLength; k = k->GetNext(), ++n) {
            f(*k);
        }
    }

    // Smallest lower and largest upper bound over every series, visible or
    // not; with average, the means of the bounds instead.
    using Bound = double (TKeeper::*)() const;
    void Extent(Bound lowerBound, Bound upperBound, bool average, double& lo, double& hi) const;

    // Lets tests stand in for an exhausted heap: the allocator returns the new
    // series or null. Returns the previous allocator; null restores the default.
    using Allocator = TKeeper* (*)();
    static Allocator SetAllocator(Allocator allocator);

  private:
    static constexpr int kMaxLength = 255;
    TKeeper* Append(bool& noMemory);

    TKeeper BaseKeeper;
};
