#include "chart/TKeeper.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "base/MessageHook.h"
#include "filters/Interp.h"
#include "filters/Mathlib.h"

namespace {

const char* const kZeroCount = "Keeper: Hулевое значение числа отсчётов при инициализации графика. "
                               "Инициализация не выполнена.";
const char* const kBadArgument = "DiagramKeeper: Неверно заданы минимальное и максимальное \n "
                                 "значения аргумента при инициализации графика.";
const char* const kDiscreteAsContinuous =
    "Keeper:Попытка считать дискретный график как непрерывный";
const char* const kContinuousAsDiscrete =
    "Keeper:Попытка считать непрерывный график как дискретный";
const char* const kNoMemory = "Keeper: Отказано в выделении памяти для отсчётов графика.";
const char* const kNoFile = "Keeper: Не удаётся открыть файл отсчётов ";

constexpr double kPi = 3.14159265358979323846;

} // namespace

TKeeper::TKeeper()
    : DataKind(dkConstant), FloatData(nullptr), DoubleData(nullptr), Function(nullptr),
      File(nullptr), Constant(0.0), Count(0), Xmin(-1.0), Xmax(1.0), Ymin(-1.0), Ymax(1.0),
      Period(0.0), Step(0.1), Scale(1.0), Color(Qt::black), PenWidth(2), Name("Diagram"),
      GraphKind(gkAnalog), InterpKind(ikTriangle), Visible(true), Symmetry(syNone),
      MarkSamples(false), OutOfRange(false), HideOutOfRangeMarks(false), Next(nullptr), Number(0) {}

TKeeper::~TKeeper() {
    Clear();
}

void TKeeper::Clear() {
    if (DataKind == dkFloatArray) {
        delete[] FloatData;
    } else if (DataKind == dkDoubleArray) {
        delete[] DoubleData;
    }
    if (File != nullptr) {
        std::fclose(File);
    }
    FloatData = nullptr;
    DoubleData = nullptr;
    Function = nullptr;
    File = nullptr;
    Count = 0;
    Xmin = -1.0;
    Xmax = 1.0;
    Ymin = -1.0;
    Ymax = 1.0;
    Constant = 0.0;
    DataKind = dkConstant;
    GraphKind = gkAnalog;
    Period = 0.0;
    Step = 0.1;
    Scale = 1.0;
}

bool TKeeper::InitArgument(int count, double xmin, double xmax) {
    if (count <= 0) {
        ShowMessage(kZeroCount);
        return false;
    }
    // Infinite bounds would give an infinite or undefined step, so they are
    // refused like equal ones.
    if (!Order(xmin, xmax) || !std::isfinite(xmin) || !std::isfinite(xmax)) {
        ShowMessage(kBadArgument);
        return false;
    }
    Clear();
    Count = count;
    Xmin = xmin;
    Xmax = xmax;
    // One sample has no neighbour; giving it the whole range as its step keeps
    // the drawing loops finite and a histogram bar visible.
    Step = count > 1 ? (xmax - xmin) / (count - 1) : xmax - xmin;
    return true;
}

template <class Sample> void TKeeper::TakeValueRange(int count, Sample sample) {
    Ymin = sample(0);
    Ymax = Ymin;
    for (int i = 1; i < count; ++i) {
        const double v = sample(i);
        if (v < Ymin) {
            Ymin = v;
        }
        if (v > Ymax) {
            Ymax = v;
        }
    }
    if (Ymax - Ymin < 1e-6) {
        Ymax = Ymin + 1e-5;
    }
}

template <class T> void TKeeper::TakeArrayRange(const T* data, int count) {
    TakeValueRange(count, [data](int i) { return static_cast<double>(data[i]); });
}

bool TKeeper::SetData(const double* data, int count, double xmin, double xmax) {
    if (data == nullptr || !InitArgument(count, xmin, xmax)) {
        return false;
    }
    DataKind = dkDoubleArrayRef;
    DoubleData = data;
    TakeArrayRange(data, count);
    return true;
}

bool TKeeper::SetData(const float* data, int count, double xmin, double xmax) {
    if (data == nullptr || !InitArgument(count, xmin, xmax)) {
        return false;
    }
    DataKind = dkFloatArrayRef;
    FloatData = data;
    TakeArrayRange(data, count);
    return true;
}

void TKeeper::Own(double* samples) {
    DataKind = dkDoubleArray;
    DoubleData = samples;
}

void TKeeper::Own(float* samples) {
    DataKind = dkFloatArray;
    FloatData = samples;
}

template <class T> bool TKeeper::CopySamples(const T* data, int count, double xmin, double xmax) {
    if (data == nullptr) {
        return false;
    }
    if (count <= 0) {
        return InitArgument(count, xmin, xmax); // refused with its message
    }
    // Allocated before the series is cleared, so that a failure leaves it as
    // it was.
    T* copy = new (std::nothrow) T[static_cast<std::size_t>(count)];
    if (copy == nullptr) {
        ShowError(kNoMemory);
        return false;
    }
    if (!InitArgument(count, xmin, xmax)) {
        delete[] copy;
        return false;
    }
    std::copy(data, data + count, copy);
    Own(copy);
    TakeArrayRange(copy, count);
    return true;
}

bool TKeeper::CopyData(const double* data, int count, double xmin, double xmax) {
    return CopySamples(data, count, xmin, xmax);
}

bool TKeeper::CopyData(const float* data, int count, double xmin, double xmax) {
    return CopySamples(data, count, xmin, xmax);
}

bool TKeeper::SetConstantData(double value, int count, double xmin, double xmax) {
    if (!InitArgument(count, xmin, xmax)) {
        return false;
    }
    DataKind = dkConstant;
    Constant = value;
    TakeValueRange(1, [value](int) { return value; });
    return true;
}

bool TKeeper::SetFunctionData(TFunction f, int count, double xmin, double xmax) {
    if (f == nullptr || !InitArgument(count, xmin, xmax)) {
        return false;
    }
    DataKind = dkFunction;
    Function = f;
    // The value range is estimated from the grid points; a function may well
    // peak between them, which is the caller's to widen if needed.
    TakeValueRange(count, [this, f](int i) { return f(Xmin + i * Step); });
    return true;
}

bool TKeeper::SetFileData(const std::string& path, bool floats, int count, double xmin,
                          double xmax) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        ShowError(kNoFile + path + ".");
        return false;
    }
    if (!InitArgument(count, xmin, xmax)) {
        std::fclose(f);
        return false;
    }
    DataKind = floats ? dkFloatFile : dkDoubleFile;
    File = f;
    TakeValueRange(count, [this](int i) { return GetSample(i); });
    return true;
}

double TKeeper::GetSample(int n) {
    if (n < 0 || n >= Count) {
        return 0.0;
    }
    switch (DataKind) {
    case dkDoubleArray:
    case dkDoubleArrayRef:
        return DoubleData != nullptr ? DoubleData[n] : 0.0;
    case dkFloatArray:
    case dkFloatArrayRef:
        return FloatData != nullptr ? static_cast<double>(FloatData[n]) : 0.0;
    default:
        break;
    }
    if (File == nullptr) {
        return 0.0;
    }
    const bool floats = DataKind == dkFloatFile;
    const long offset = static_cast<long>(n) * (floats ? 4L : 8L);
    if (std::fseek(File, offset, SEEK_SET) != 0) {
        return 0.0;
    }
    if (floats) {
        float v = 0.0f;
        return std::fread(&v, sizeof v, 1, File) == 1 ? static_cast<double>(v) : 0.0;
    }
    double v = 0.0;
    return std::fread(&v, sizeof v, 1, File) == 1 ? v : 0.0;
}

double TKeeper::GetValue(double x) {
    if (GraphKind == gkDiscret || GraphKind == gkDiscretPeriodic) {
        ShowMessage(kDiscreteAsContinuous);
        return 0.0;
    }
    double sign = 1.0;
    if (Symmetry == syEven && x <= Xmin) {
        x = 2.0 * Xmin - x;
    } else if (Symmetry == syOdd && x <= Xmin) {
        x = 2.0 * Xmin - x;
        sign = -1.0;
    }
    // A period that is not positive cannot fold anything: read as aperiodic.
    if ((GraphKind == gkAnalogPeriodic || GraphKind == gkRadioPeriodic) && Period > 0.0) {
        if (x == Period) {
            x = Xmin;
        } else {
            x = Xmin +
                Period * (std::atan(std::tan(kPi * ((x - Xmin) / Period - 0.5))) / kPi + 0.5);
        }
        if (x < Xmin) {
            x = Xmin;
        }
        if (x > Xmax) {
            x = Xmax;
        }
    }
    if (std::isnan(x) || x < Xmin || x > Xmax) {
        return 0.0;
    }
    if (DataKind == dkConstant) {
        return Scale * Constant * sign;
    }
    if (DataKind == dkFunction) {
        return Function != nullptr ? Function(x) * sign * Scale : 0.0;
    }
    const double d = x - Xmin;
    double q = std::floor(d / Step);
    // Inside [Xmin, Xmax] the quotient lies within 0 .. Count-1; the guard only
    // keeps a degenerate step from overflowing the index.
    if (!(q >= -1.0 && q <= static_cast<double>(Count))) {
        q = q > 0.0 ? static_cast<double>(Count) : -1.0;
    }
    const int k = static_cast<int>(q);
    double sum = 0.0;
    for (int i = k - 1; i <= k + 1; ++i) {
        sum += GetSample(i) * Kernel(d - i * Step, Step, InterpKind);
    }
    if (Scale != 1.0) {
        sum = sum * Scale;
    }
    if (sign < 0) {
        sum = -sum;
    }
    return sum;
}

double TKeeper::GetDiscretValue(int index) {
    if (GraphKind != gkDiscret && GraphKind != gkDiscretPeriodic && GraphKind != gkHistogram) {
        ShowMessage(kContinuousAsDiscrete);
        return 0.0;
    }
    // Wide arithmetic: mirroring INT_MIN or wrapping near INT_MAX must not overflow.
    long long n = index;
    double sign = 1.0;
    if (Symmetry == syEven && n < 0) {
        n = -n;
    } else if (Symmetry == syOdd && n < 0) {
        n = -n;
        sign = -1.0;
    }
    // Wrapping in closed form gives what subtracting and adding whole periods
    // one at a time gives, without a loop that a large index could make long.
    // A period below one sample has no wrapping step and is read as aperiodic.
    if (GraphKind == gkDiscretPeriodic && Period >= 1.0) {
        const double period = Period < 1e9 ? Period : 1e9;
        const long long p = static_cast<long long>(period);
        if (static_cast<double>(n) >= period) {
            const long long k = static_cast<long long>(std::floor(
                                    (static_cast<double>(n) - period) / static_cast<double>(p))) +
                                1;
            n -= k * p;
        }
        if (n < 0) {
            n = ((n % p) + p) % p;
        }
    }
    OutOfRange = false;
    if (n < 0 || n > static_cast<long long>(Count) - 1) {
        OutOfRange = true;
        return 0.0;
    }
    const int i = static_cast<int>(n);
    if (DataKind == dkConstant) {
        return Scale * Constant * sign;
    }
    if (DataKind == dkFunction) {
        return Function != nullptr ? Function(i * Step + Xmin) * sign * Scale : 0.0;
    }
    return GetSample(i) * sign * Scale;
}

bool TKeeper::GetMarkSamples() const {
    if (HideOutOfRangeMarks && OutOfRange) {
        return false;
    }
    return MarkSamples;
}
