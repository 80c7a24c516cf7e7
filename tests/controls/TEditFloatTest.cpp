#include "controls/TEditFloat.h"

#include "base/MessageHook.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QTest>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {
using Messages = std::vector<std::string>;

const std::string Below = "Введённое значение параметра меньше минимально-допустимого.\n ";
const std::string Above = "Введённое значение параметра больше максимально-допустимого.\n ";
const std::string BadText = "Строка ввода имеет некорректный формат или пуста. \n ";
const std::string Corrected = "Произведена коррекция.";
const std::string Restored = "Прежнее значение параметра восстановлено.";
const std::string BadRestored = "Значение параметра восстановлено.";

// Every test runs once under a point locale and once under a comma locale.
class EditFloat : public testing::TestWithParam<QLocale> {
  protected:
    void SetUp() override { QLocale::setDefault(GetParam()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // The locale's form of a text written with a point.
    static QString Local(QString text) {
        return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    }
    void Type(const char* keys) {
        for (const char* k = keys; *k; ++k) {
            QTest::keyClick(&field, *k);
        }
    }
    // A field like the main window's filter parameter fields.
    void MakeParameterField(bool corrType) {
        field.LoadDescription({corrType, true, 100000.0, 10.0, 100.0, {}, {}});
    }

    MessageRecorder recorder;
    TEditFloat field;
};

TEST_P(EditFloat, NewFieldShowsZeroInUnitInterval) {
    EXPECT_EQ(field.text(), "0");
    EXPECT_EQ(field.GetVal(), 0.0);
    EXPECT_EQ(field.GetMin(), 0.0);
    EXPECT_EQ(field.GetMax(), 1.0);
    EXPECT_TRUE(field.GetCorrType());
    EXPECT_FALSE(field.GetCorrMsg());
    EXPECT_FALSE(field.GetExpInp());
    EXPECT_TRUE(field.GetGFormat());
}

TEST_P(EditFloat, DescriptionsLoadInDeclarationOrderWithoutMessages) {
    field.LoadDescription({{}, true, 1000.0, {}, 1.0, {}, {}});
    EXPECT_EQ(field.GetMin(), 0.0);
    EXPECT_EQ(field.GetMax(), 1000.0);
    EXPECT_EQ(field.GetVal(), 1.0);
    EXPECT_EQ(field.text(), "1");

    TEditFloat second;
    second.LoadDescription({{}, true, 100000.0, 10.0, 100.0, {}, {}});
    EXPECT_EQ(second.GetVal(), 100.0);
    EXPECT_EQ(second.text(), "100");
    EXPECT_TRUE(recorder.Messages().empty());

    // The same through Qt's property system, as a form file would set them.
    TEditFloat third;
    third.setProperty("Max", 300.0);
    third.setProperty("Min", 1.0);
    third.setProperty("Val", 50.0);
    EXPECT_EQ(third.GetVal(), 50.0);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_P(EditFloat, BoundsAreRefusedWhenTheyWouldInvertTheInterval) {
    field.SetMax(0.0); // equal to Min
    EXPECT_EQ(field.GetMax(), 0.0);
    field.SetMax(1.0);
    field.SetMax(-1e-9);
    EXPECT_EQ(recorder.Take(),
              Messages{"TEditInt: Максимальное значение должно быть больше минимального."});
    EXPECT_EQ(field.GetMax(), 1.0);
    field.SetMin(1.0); // equal to Max: Val follows silently
    EXPECT_EQ(field.GetVal(), 1.0);
    field.SetMin(0.0);
    field.SetMin(1.5);
    EXPECT_EQ(recorder.Take(),
              Messages{"TEditInt: Минимальное значение должно быть меньше максимального."});
    EXPECT_EQ(field.GetMin(), 0.0);

    field.SetCorrMsg(true);
    field.SetMax(100.0);
    field.SetVal(80.0);
    field.SetMax(50.0); // lowering Max below Val is silent
    EXPECT_EQ(field.GetVal(), 50.0);
    EXPECT_EQ(field.text(), "50");
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_P(EditFloat, RangeCorrectionsAndTheirMessages) {
    for (bool corrType : {true, false}) {
        SCOPED_TRACE(corrType);
        TEditFloat f;
        f.LoadDescription({corrType, true, 100000.0, 10.0, 100.0, {}, {}});
        f.setText("5");
        EXPECT_EQ(f.GetModify(), corrType);
        EXPECT_EQ(recorder.Take(), Messages{Below + (corrType ? Corrected : Restored)});
        EXPECT_EQ(f.text(), corrType ? "10" : "100");

        f.SetVal(100.0);
        f.setText("200000");
        EXPECT_EQ(f.GetModify(), corrType);
        EXPECT_EQ(recorder.Take(), Messages{Above + (corrType ? Corrected : Restored)});
        EXPECT_EQ(f.GetVal(), corrType ? 100000.0 : 100.0);

        f.SetVal(-3.0); // the setter corrects like an entry
        EXPECT_EQ(recorder.Take(), Messages{Below + (corrType ? Corrected : Restored)});

        for (const char* bound : {"10", "100000"}) { // bounds are inside
            f.setText(bound);
            f.GetModify();
            EXPECT_EQ(f.text(), bound);
        }
        EXPECT_TRUE(recorder.Messages().empty());
    }
}

TEST_P(EditFloat, CorrectionsAreSilentWithoutCorrMsg) {
    field.LoadDescription({true, false, 100000.0, 10.0, 100.0, {}, {}});
    field.setText("5");
    EXPECT_TRUE(field.GetModify());
    field.setText("");
    EXPECT_TRUE(field.GetModify());
    EXPECT_EQ(field.GetVal(), 50005.0);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_P(EditFloat, UnreadableTextsGoToMidpointOrBack) {
    const char* texts[] = {"", "abc", "nan", "inf", "-inf", "1e999", ",-5", "1,2,3"};
    for (bool corrType : {true, false}) {
        MakeParameterField(corrType);
        for (const char* t : texts) {
            SCOPED_TRACE(t);
            field.SetVal(100.0);
            field.setText(QString::fromLatin1(t));
            EXPECT_EQ(field.GetModify(), corrType);
            EXPECT_EQ(field.GetVal(), corrType ? 50005.0 : 100.0);
            EXPECT_TRUE(std::isfinite(field.GetVal()));
            EXPECT_EQ(recorder.Take(), Messages{BadText + (corrType ? Corrected : BadRestored)});
            EXPECT_EQ(field.text(), corrType ? "50005" : "100");
        }
    }
}

TEST_P(EditFloat, EitherDecimalMarkConverts) {
    MakeParameterField(true);
    for (const char* t : {"12,5", "12.5"}) {
        field.setText(t);
        EXPECT_TRUE(field.GetModify());
        EXPECT_EQ(field.GetVal(), 12.5);
        EXPECT_EQ(field.text(), Local("12.5"));
        field.SetVal(100.0);
    }
    field.setText("1,5e3"); // exponent with E or e in every locale
    field.GetModify();
    EXPECT_EQ(field.GetVal(), 1500.0);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_P(EditFloat, GFormatShowsSixDigitsWithLocaleSeparator) {
    field.SetMax(2e6);
    field.SetVal(1234567.0);
    EXPECT_EQ(field.text(), Local("1.23457e+06"));
    EXPECT_EQ(field.GetVal(), 1234570.0);
    field.setMaxLength(7); // a display never gets cut at the typing limit
    field.SetVal(7654321.0 / 7.0);
    EXPECT_EQ(field.text(), Local("1.09347e+06"));
    field.SetVal(0.25);
    EXPECT_EQ(field.text(), Local("0.25"));

    field.SetGFormat(false);
    field.SetVal(1234567.125);
    EXPECT_EQ(field.GetVal(), 1234567.125);
    EXPECT_EQ(field.text(), Local("1234567.125"));
}

TEST_P(EditFloat, DisplayNextToABoundOfMoreDigitsStaysInside) {
    field.SetCorrMsg(true);
    field.SetMin(0.1234564); // six digits would show 0.123456
    field.SetVal(0.1234564);
    EXPECT_EQ(field.GetVal(), 0.1234564);
    EXPECT_EQ(field.text(), Local("0.1234564"));
    field.SetMax(0.9876546); // six digits would show 0.987655
    field.SetVal(1.0);
    EXPECT_EQ(field.GetVal(), 0.9876546);
    EXPECT_FALSE(field.GetModify());
    EXPECT_EQ(recorder.Take(), Messages{Above + Corrected}); // the SetVal(1.0) only

    // A bound set after an entry: the untouched display is shown anew.
    TEditFloat typed;
    typed.SetCorrMsg(true);
    typed.setText(Local("0.1234567"));
    EXPECT_TRUE(typed.GetModify());
    EXPECT_EQ(typed.text(), Local("0.123457"));
    typed.SetMax(0.1234567);
    EXPECT_EQ(typed.text(), Local("0.1234567"));
    EXPECT_FALSE(typed.GetModify());
    typed.setText("0.5"); // text the user typed stays until it is read
    typed.SetMax(0.3);
    EXPECT_EQ(typed.text(), "0.5");
    EXPECT_TRUE(recorder.Messages().empty());

    // Bounds and values of up to seventeen digits, in both display formats.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> power(-12, 12);
    for (bool gFormat : {true, false}) {
        TEditFloat f;
        f.SetGFormat(gFormat);
        f.SetCorrMsg(true);
        for (int i = 0; i < 500; ++i) {
            const double scale = std::pow(10.0, power(random));
            const double low = (unit(random) - 0.5) * scale;
            const double high = low + unit(random) * scale * 1e-6;
            f.SetMax(DBL_MAX);
            f.SetMin(low);
            f.SetMax(high);
            for (double x : {low, high, low + (high - low) * unit(random)}) {
                f.SetVal(x);
                ASSERT_GE(f.GetVal(), f.GetMin()) << gFormat << " " << x;
                ASSERT_LE(f.GetVal(), f.GetMax()) << gFormat << " " << x;
                ASSERT_FALSE(f.GetModify()) << gFormat << " " << x;
            }
        }
    }
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_P(EditFloat, TypingLimitIsRaisedOnlyWhileALongValueIsShown) {
    field.setMaxLength(7);
    field.SetVal(1.23456789e-6);
    EXPECT_EQ(field.text(), Local("1.23457e-06")); // shown whole
    field.SetVal(0.5);
    EXPECT_EQ(field.maxLength(), 7);
    Type("123456789");
    EXPECT_EQ(field.text().size(), 7);

    // Typing into a long display never makes it longer, and once it is
    // shorter than the limit, the limit holds again.
    field.SetVal(1.23456789e-6);
    field.setCursorPosition(3);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), Local("1.3457e-06"));
    EXPECT_EQ(field.cursorPosition(), 2); // the caret stays where it was
    Type("2");
    EXPECT_EQ(field.text(), Local("1.3457e-06"));
    field.setSelection(1, 3);
    QTest::keyClick(&field, '9'); // a selection may still be replaced
    EXPECT_EQ(field.text(), "1957e-06");
    EXPECT_EQ(field.maxLength(), 8);
    field.end(false);
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(&field, Qt::Key_Backspace);
    }
    EXPECT_EQ(field.maxLength(), 7);
    Type("0123");
    EXPECT_EQ(field.text(), "1957012");

    // Pasting follows the same rule as typing.
    QGuiApplication::clipboard()->setText("123456789012");
    field.SetVal(1.23456789e-6);
    field.setSelection(7, 4);
    QTest::keyClick(&field, 'v', Qt::ControlModifier);
    EXPECT_EQ(field.text(), Local("1.234571234"));
    EXPECT_EQ(field.maxLength(), 11);
    field.selectAll();
    QTest::keyClick(&field, 'v', Qt::ControlModifier);
    EXPECT_EQ(field.text(), "12345678901");
    field.selectAll();
    QTest::keyClick(&field, 'x', Qt::ControlModifier);
    EXPECT_EQ(field.maxLength(), 7);
    QTest::keyClick(&field, 'v', Qt::ControlModifier);
    EXPECT_EQ(field.text(), "1234567");

    // A limit the host sets later is the one that comes back.
    field.setMaxLength(9);
    field.SetVal(1.23456789e-6);
    field.SetVal(0.25);
    EXPECT_EQ(field.maxLength(), 9);
}

TEST_P(EditFloat, NonFiniteSettersNeverLeaveNonFiniteVal) {
    const double inf = std::numeric_limits<double>::infinity();
    field.SetCorrMsg(true);
    field.SetVal(0.5);
    field.SetVal(std::nan(""));
    EXPECT_EQ(field.GetVal(), 0.5);
    EXPECT_TRUE(recorder.Messages().empty());
    field.SetMax(inf);
    field.SetMin(-inf);
    field.SetMax(std::nan(""));
    field.SetMin(std::nan(""));
    EXPECT_EQ(field.GetMin(), 0.0);
    EXPECT_EQ(field.GetMax(), 1.0);
    field.SetVal(inf);
    EXPECT_EQ(field.GetVal(), 1.0);
    EXPECT_EQ(recorder.Take(), Messages{Above + Corrected});

    field.SetMin(-1.7e308);
    field.SetMax(1.7e308);
    field.SetMin(1e308);
    field.setText("");
    field.GetModify(); // midpoint of huge bounds must not overflow
    EXPECT_TRUE(std::isfinite(field.GetVal()));
    EXPECT_EQ(field.GetVal(), 1.35e308);
}

TEST_P(EditFloat, PastedAndHugeTextsAreJudgedAtGetModify) {
    MakeParameterField(true);
    recorder.Clear();
    // A megabyte of digits after a leading zero: long but readable.
    field.setMaxLength(32767);
    field.setText(QString(QLatin1Char('0')) + QString(".") + QString(30000, QLatin1Char('1')));
    field.GetModify();
    EXPECT_EQ(field.GetVal(), 10.0); // 0.111... is below Min
    field.setText(QString(1 << 20, QLatin1Char('9')));
    field.GetModify(); // overflows to infinity: unreadable
    EXPECT_EQ(field.GetVal(), 50005.0);
    EXPECT_EQ(recorder.Take(), (Messages{Below + Corrected, BadText + Corrected}));
}

TEST_P(EditFloat, KeystrokeFilterNormalMode) {
    field.SetMin(-10.0);
    field.clear();
    Type("-1-2");
    EXPECT_EQ(field.text(), "-12");
    field.setCursorPosition(0);
    Type("5");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "-12"); // nothing in front of the minus
    QTest::keyClick(&field, '-');
    EXPECT_EQ(field.text(), "-12"); // only once
    field.setSelection(0, 2);
    QTest::keyClick(&field, '-'); // a selection at 0 may be replaced by a minus
    EXPECT_EQ(field.text(), "-2");
    field.end(false);
    Type(",.");
    EXPECT_EQ(field.text(), "-2,"); // the first mark stays as typed
    Type("5a e+");
    QTest::keyClick(&field, Qt::Key_Return);
    QTest::keyClick(&field, Qt::Key_Enter);
    EXPECT_EQ(field.text(), "-2,5");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "-2,");
    field.GetModify();
    EXPECT_EQ(field.GetVal(), -2.0);

    // Nothing lands in front of the sign: neither mark nor digit.
    for (const char* key : {".", ",", "5"}) {
        field.setText("-5");
        field.setCursorPosition(0);
        Type(key);
        EXPECT_EQ(field.text(), "-5") << key;
    }
    field.setCursorPosition(1);
    Type(",");
    EXPECT_EQ(field.text(), "-,5"); // right after the sign it is welcome
    field.setText("-5");
    field.setSelection(0, 1);
    Type(".");
    EXPECT_EQ(field.text(), ".5"); // a mark may replace a selected sign
    field.setText("-5");
    field.selectAll();
    Type(",");
    EXPECT_EQ(field.text(), ",");

    TEditFloat positive;
    QTest::keyClick(&positive, '-');
    QTest::keyClick(&positive, '.');
    QTest::keyClick(&positive, '7');
    EXPECT_EQ(positive.text(), "0.7"); // no minus while Min >= 0
}

TEST_P(EditFloat, KeystrokeFilterExponentMode) {
    field.SetExpInp(true);
    field.clear();
    Type("1.5e-3E+,x-");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.text(), "1.5e-3E+,-");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "1.5e-3E+,");
}

INSTANTIATE_TEST_SUITE_P(Locales, EditFloat,
                         testing::Values(QLocale::c(), QLocale(QLocale::Russian, QLocale::Russia)),
                         [](const testing::TestParamInfo<QLocale>& param) {
                             return param.index == 0 ? std::string("Point") : std::string("Comma");
                         });
} // namespace
