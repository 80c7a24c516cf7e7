// Every text the field shows must read back to the value it shows, in every
// locale Qt knows, whichever display format is chosen.

#include "controls/TEditFloat.h"

#include "base/MessageHook.h"

#include <QLocale>
#include <cfloat>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {
// printf's text of x with '.' replaced by the locale's separator.
QString Printed(const char* format, double x, const QLocale& locale) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, x);
    return QString::fromLatin1(buffer).replace(QLatin1Char('.'), locale.decimalPoint());
}

class EditFloatLocales : public testing::Test {
  protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    MessageRecorder recorder;
};

TEST_F(EditFloatLocales, ShownTextsReadBackInEveryLocale) {
    // Zero, signs, tiny and huge magnitudes, the extremes, values that the
    // bench's fields hold, and one that needs all fifteen digits.
    const double values[] = {0.0,         -1.0, -0.5,   1e-5,    -1e-5,     123456.789,
                             -123456.789, 1e15, 1e-300, -1e-300, DBL_MAX,   -DBL_MAX,
                             DBL_MIN,     1.0,  1000.0, 10.0,    100.0,     100000.0,
                             10000.0,     50.0, 300.0,  0.001,   1234567.0, 1.0 / 3.0};
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 100);
    TEditFloat field;
    field.SetMax(DBL_MAX);
    field.SetMin(-DBL_MAX);
    field.SetCorrMsg(true);
    int failures = 0;
    for (const QLocale& locale : locales) {
        QLocale::setDefault(locale);
        for (bool gFormat : {true, false}) {
            field.SetGFormat(gFormat);
            for (double x : values) {
                field.SetVal(x);
                const QString shown = field.text();
                const double val = field.GetVal();
                const bool modified = field.GetModify();
                const bool sound = !modified && field.GetVal() == val && field.text() == shown &&
                                   recorder.Messages().empty();
                // Where the plain printf form reads back it is what is shown.
                const bool extreme = x == DBL_MAX || x == -DBL_MAX;
                const QString expected =
                    gFormat ? Printed("%g", x, locale)
                            : (extreme ? Printed("%.17g", x, locale) : Printed("%.15g", x, locale));
                if (!sound || shown != expected) {
                    ADD_FAILURE() << locale.name().toStdString() << " GFormat " << gFormat
                                  << " value " << x << " shows \"" << shown.toStdString()
                                  << "\", expected \"" << expected.toStdString()
                                  << "\", reads back " << field.GetVal()
                                  << (modified ? ", modified" : "");
                    recorder.Clear();
                    if (++failures > 20) {
                        return;
                    }
                }
            }
            // What a user types with either mark, an exponent included.
            const struct {
                const char* text;
                double value;
            } typed[] = {{"-12,5", -12.5}, {"0.25", 0.25}, {"1,5e-3", 0.0015}, {"-2E3", -2000.0}};
            for (const auto& t : typed) {
                field.setText(QString::fromLatin1(t.text));
                field.GetModify();
                EXPECT_EQ(field.GetVal(), t.value) << locale.name().toStdString() << " " << t.text;
            }
        }
    }
    EXPECT_TRUE(recorder.Messages().empty());
}
} // namespace
