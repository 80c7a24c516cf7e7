#include "chart/TKeeperList.h"

#include <algorithm>
#include <new>

#include "base/MessageHook.h"

namespace {

const char* const kNoMemoryNewKeeper = "Diagram: Отказано в выделении памяти при создании графика.";
const char* const kNoMemoryPNewKeeper = "Diagram: Hе удалось создать график.";
const char* const kDeleteBase = "Diagram: Попытка удалить базовый график отменена.";

TKeeper* DefaultAllocator() {
    return new (std::nothrow) TKeeper();
}
TKeeperList::Allocator gAllocator = &DefaultAllocator;

} // namespace

TKeeperList::TKeeperList() {
    BaseKeeper.ResetNext();
    BaseKeeper.SetNumber(0);
}

TKeeperList::~TKeeperList() {
    DeleteList();
}

TKeeperList::Allocator TKeeperList::SetAllocator(Allocator allocator) {
    Allocator previous = gAllocator;
    gAllocator = allocator != nullptr ? allocator : &DefaultAllocator;
    return previous;
}

void TKeeperList::NewList(unsigned char n) {
    DeleteList();
    while (n >= 2 && Length() < n) {
        if (New() == 0) {
            break;
        }
    }
}

void TKeeperList::DeleteList() {
    TKeeper* k = BaseKeeper.GetNext();
    int n = 0;
    while (k != nullptr && n < kMaxLength) {
        TKeeper* next = k->GetNext();
        delete k;
        k = next;
        ++n;
    }
    BaseKeeper.ResetNext();
}

unsigned char TKeeperList::New() {
    bool noMemory = false;
    TKeeper* k = Append(noMemory);
    if (noMemory) {
        ShowError(kNoMemoryNewKeeper);
    }
    return k != nullptr ? k->GetNumber() : 0;
}

TKeeper* TKeeperList::PNew() {
    bool noMemory = false;
    TKeeper* k = Append(noMemory);
    if (noMemory) {
        ShowError(kNoMemoryPNewKeeper);
    }
    return k;
}

TKeeper* TKeeperList::Append(bool& noMemory) {
    TKeeper* last = &BaseKeeper;
    int c = 0;
    while (last->GetNext() != nullptr && c < kMaxLength) {
        last = last->GetNext();
        ++c;
    }
    // Numbers are 8 bits wide: a full list takes no more series.
    if (c + 1 >= kMaxLength) {
        return nullptr;
    }
    TKeeper* k = gAllocator();
    if (k == nullptr) {
        noMemory = true;
        return nullptr;
    }
    last->SetNext(k);
    k->SetNumber(static_cast<unsigned char>(c + 1));
    k->ResetNext();
    return k;
}

void TKeeperList::Delete(TKeeper* k) {
    if (k == &BaseKeeper) {
        ShowMessage(kDeleteBase);
        return;
    }
    TKeeper* prev = &BaseKeeper;
    int n = 0;
    while (prev->GetNext() != nullptr && n < kMaxLength) {
        if (prev->GetNext() == k) {
            TKeeper* next = k->GetNext();
            prev->SetNext(next);
            delete k;
            int renumbered = 0;
            for (TKeeper* q = next; q != nullptr && renumbered < kMaxLength;
                 prev = q, q = q->GetNext(), ++renumbered) {
                q->SetNumber(static_cast<unsigned char>(prev->GetNumber() + 1));
            }
            return;
        }
        prev = prev->GetNext();
        ++n;
    }
}

TKeeper* TKeeperList::Get(unsigned char n) {
    int i = 0;
    for (TKeeper* k = &BaseKeeper; k != nullptr && i <= kMaxLength; k = k->GetNext(), ++i) {
        if (k->GetNumber() == n) {
            return k;
        }
    }
    return nullptr;
}

unsigned char TKeeperList::Length() const {
    int n = 1;
    for (const TKeeper* k = BaseKeeper.GetNext(); k != nullptr && n < kMaxLength;
         k = k->GetNext()) {
        ++n;
    }
    return static_cast<unsigned char>(n);
}

void TKeeperList::Extent(Bound lowerBound, Bound upperBound, bool average, double& lo,
                         double& hi) const {
    lo = (BaseKeeper.*lowerBound)();
    hi = (BaseKeeper.*upperBound)();
    int n = 1;
    for (const TKeeper* k = BaseKeeper.GetNext(); k != nullptr && n <= kMaxLength;
         k = k->GetNext(), ++n) {
        if (average) {
            lo += (k->*lowerBound)();
            hi += (k->*upperBound)();
        } else {
            lo = std::min(lo, (k->*lowerBound)());
            hi = std::max(hi, (k->*upperBound)());
        }
    }
    if (average) {
        lo /= n;
        hi /= n;
    }
}
