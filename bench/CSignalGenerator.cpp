#include "bench/CSignalGenerator.h"

double CSignalGenerator::NextSample() {
    if (Position >= Length || Position < 0) {
        return 0.0;
    }
    double value = 0.0;
    switch (Kind) {
    case skDelta:
        value = Position == 0 ? 1.0 : 0.0;
        break;
    case skRectangle:
        value = 1.0;
        break;
    default: // skOff and unknown codes are silent
        break;
    }
    ++Position;
    return value;
}
