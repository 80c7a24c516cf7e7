#pragma once
// A list of doubles with index access, growth, truncation, a shift toward the
// tail, a sum and a maximum. The filters keep their delay lines in it and the
// registrar keeps its window of running means in it.
//
// The units sit in one contiguous block and form a ring: unit i of the list is
// block[(head + i) mod count]. Shift() only turns the ring (two next pointers
// and one value change), and an existing cell is reached by index, so a moving
// sum filter pays the same per sample whatever its window length. Every unit's
// next still points at its logical successor (the last one's is null), so a
// caller may walk the list from GetUnit(0).
//
// Pointers returned by GetUnit/GetLast stay valid until the length of the list
// changes; after Shift() such a pointer still names the same unit, which then
// stands one place further toward the tail (as a unit of a linked list would
// after its values were moved).

class CDoubleUnit {
  public:
    void SetValue(double v) { value = v; }
    double GetValue() const { return value; }
    void SetNext(CDoubleUnit* n) { next = n; }
    CDoubleUnit* GetNext() const { return next; }

  private:
    double value = 0.0;
    CDoubleUnit* next = nullptr;
};

class CDoubleList {
  public:
    // Lists longer than this are refused by Add (false), so that a wild length
    // cannot exhaust the machine and a failed growth can be tried in tests.
    static constexpr int MaxCount = 1 << 24;

    CDoubleList() = default;
    ~CDoubleList();
    // Deep copies. A copy that cannot get its memory is left empty.
    CDoubleList(const CDoubleList& other);
    CDoubleList& operator=(const CDoubleList& other);
    CDoubleList(CDoubleList&& other) noexcept;
    CDoubleList& operator=(CDoubleList&& other) noexcept;

    // Last unit; null when empty.
    CDoubleUnit* GetLast() const { return count > 0 ? &block[Physical(count - 1)] : nullptr; }
    // Unit i (0-based); null when i < 0 or i > count - 1.
    CDoubleUnit* GetUnit(int i) const;

    // Appends n units of 0.0 (or of values[0..n-1] when values is not null).
    // n <= 0 changes nothing and gives true. False, with the list unchanged,
    // when memory cannot be obtained or the list would exceed MaxCount.
    bool Add(int n) { return Add(nullptr, n); }
    bool Add(const double* values, int n);
    // Removes the last n units (all when n >= count); nothing for n <= 0.
    void RemoveLast(int n);
    // Every value := 0.0; the length is kept.
    void Clear();
    // Moves every value one unit toward the tail; unit 0 gets 0.0 and the old
    // last value is dropped. Nothing for an empty list.
    void Shift() {
        if (count <= 1) {
            if (count == 1) {
                block[0].SetValue(0.0);
            }
            return;
        }
        const int newHead = head == 0 ? count - 1 : head - 1; // the old last unit
        const int newLast = newHead == 0 ? count - 1 : newHead - 1;
        block[newLast].SetNext(nullptr);
        block[newHead].SetNext(&block[head]);
        block[newHead].SetValue(0.0);
        head = newHead;
    }
    // Stores v in unit i, growing the list with zeros up to i when needed.
    // i < 0 is ignored (true). False only when the growth fails.
    bool SetAt(int i, double v) {
        if (i < 0) {
            return true;
        }
        if (i < count) {
            block[Physical(i)].SetValue(v);
            return true;
        }
        return GrowAndSet(i, v);
    }
    // Makes the list n units long (n <= 0 empties it); false when growth fails.
    bool SetCount(int n);
    // SetCount(i + 1).
    bool SetLastIndex(int i);
    // Value of unit i; 0.0 when i < 0 or i > count - 1.
    double GetAt(int i) const {
        return (i >= 0 && i < count) ? block[Physical(i)].GetValue() : 0.0;
    }
    int GetLastIndex() const { return count - 1; }
    int GetCount() const { return count; }
    // Largest value (the first one among equals) and its position; an empty
    // list gives 0.0 at position 0. index may be null.
    double Max(int* index) const;
    double Max() const { return Max(nullptr); }
    // Sum from head to tail; 0.0 when empty.
    double Sum() const;

  private:
    int Physical(int i) const {
        const int p = head + i;
        return p >= count ? p - count : p;
    }
    bool GrowAndSet(int i, double v);
    // Puts the ring back in block order (head = 0) so that the block can be cut
    // or extended at its end.
    void Straighten();
    void Relink();

    CDoubleUnit* block = nullptr; // 'capacity' units, the first 'count' in use
    int count = 0;
    int capacity = 0;
    int head = 0; // block index of unit 0
};
