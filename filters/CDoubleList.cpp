#include "filters/CDoubleList.h"

#include <algorithm>
#include <new>
#include <utility>

CDoubleList::~CDoubleList() {
    delete[] block;
}

CDoubleList::CDoubleList(const CDoubleList& other) {
    if (other.count == 0) {
        return;
    }
    block = new (std::nothrow) CDoubleUnit[other.count];
    if (block == nullptr) {
        return;
    }
    count = capacity = other.count;
    for (int i = 0; i < count; ++i) {
        block[i].SetValue(other.GetAt(i));
    }
    Relink();
}

CDoubleList& CDoubleList::operator=(const CDoubleList& other) {
    if (this != &other) {
        CDoubleList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CDoubleList::CDoubleList(CDoubleList&& other) noexcept
    : block(std::exchange(other.block, nullptr)), count(std::exchange(other.count, 0)),
      capacity(std::exchange(other.capacity, 0)), head(std::exchange(other.head, 0)) {}

CDoubleList& CDoubleList::operator=(CDoubleList&& other) noexcept {
    if (this != &other) {
        delete[] block;
        block = std::exchange(other.block, nullptr);
        count = std::exchange(other.count, 0);
        capacity = std::exchange(other.capacity, 0);
        head = std::exchange(other.head, 0);
    }
    return *this;
}

CDoubleUnit* CDoubleList::GetUnit(int i) const {
    if (i < 0 || i > count - 1) {
        return nullptr;
    }
    return &block[Physical(i)];
}

void CDoubleList::Straighten() {
    if (head != 0) {
        std::rotate(block, block + head, block + count);
        head = 0;
        Relink();
    }
}

void CDoubleList::Relink() {
    for (int i = 0; i < count; ++i) {
        block[i].SetNext(i + 1 < count ? &block[i + 1] : nullptr);
    }
}

bool CDoubleList::Add(const double* values, int n) {
    if (n <= 0) {
        return true;
    }
    // Written as a subtraction so that count + n cannot overflow.
    if (n > MaxCount - count) {
        return false;
    }
    const int newCount = count + n;
    if (newCount > capacity) {
        // Room for twice the length, so that a list grown one cell at a time
        // is not copied at every step.
        const int newCapacity = std::max(newCount, std::min(2 * count, MaxCount));
        CDoubleUnit* grown = new (std::nothrow) CDoubleUnit[newCapacity];
        if (grown == nullptr) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            grown[i].SetValue(GetAt(i));
        }
        delete[] block;
        block = grown;
        capacity = newCapacity;
        head = 0;
    } else {
        Straighten();
    }
    for (int k = 0; k < n; ++k) {
        block[count + k].SetValue(values != nullptr ? values[k] : 0.0);
    }
    count = newCount;
    Relink();
    return true;
}

void CDoubleList::RemoveLast(int n) {
    if (n <= 0 || count == 0) {
        return;
    }
    if (n >= count) {
        // Nothing of the old list is kept, so its memory goes too.
        delete[] block;
        block = nullptr;
        count = capacity = head = 0;
        return;
    }
    Straighten();
    count -= n;
    block[count - 1].SetNext(nullptr);
}

void CDoubleList::Clear() {
    for (int i = 0; i < count; ++i) {
        block[i].SetValue(0.0);
    }
}

bool CDoubleList::GrowAndSet(int i, double v) {
    if (!SetLastIndex(i)) {
        return false;
    }
    block[Physical(i)].SetValue(v);
    return true;
}

bool CDoubleList::SetCount(int n) {
    if (n == count) {
        return true;
    }
    if (n <= 0) {
        RemoveLast(count);
        return true;
    }
    if (n < count) {
        RemoveLast(count - n);
        return true;
    }
    return Add(n - count);
}

bool CDoubleList::SetLastIndex(int i) {
    // i + 1 would overflow; no list can be that long anyway.
    if (i >= MaxCount) {
        return false;
    }
    return SetCount(i + 1);
}

double CDoubleList::Max(int* index) const {
    double best = 0.0;
    int where = 0;
    if (count > 0) {
        best = GetAt(0);
        for (int i = 1; i < count; ++i) {
            const double v = GetAt(i);
            if (v > best) {
                best = v;
                where = i;
            }
        }
    }
    if (index != nullptr) {
        *index = where;
    }
    return best;
}

double CDoubleList::Sum() const {
    if (count == 0) {
        return 0.0;
    }
    double sum = GetAt(0);
    for (int i = 1; i < count; ++i) {
        sum += GetAt(i);
    }
    return sum;
}
