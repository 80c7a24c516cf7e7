// The main window's number fields: which field holds which parameter, how a
// run reads them, and when leaving a field checks it and applies its value.
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>

#include "app/AfterMouseRelease.h"
#include "app/TForm1.h"
#include "controls/TEditFloat.h"

TEditFloat* TForm1::ParameterField(int p) const {
    TEditFloat* const fields[BenchParameterCount] = {EditFloat1, EditFloat2, EditFloat3,
                                                     EditFloat4};
    return p >= 0 && p < BenchParameterCount ? fields[p] : nullptr;
}

QLabel* TForm1::ParameterLabel(int p) const {
    QLabel* const labels[BenchParameterCount] = {nullptr, Label1, Label2, Label3};
    return p >= 0 && p < BenchParameterCount ? labels[p] : nullptr;
}

double TForm1::FieldValue(TEditFloat* field) {
    // A correction message runs its own event loop; a field exit queued
    // before it must not read a field again while this read is unfinished.
    ++FieldReads;
    field->GetModify();
    --FieldReads;
    return field->GetVal();
}

CSetupSource TForm1::SetupSource() {
    CSetupSource c;
    c.SignalItem = ComboBox1->currentIndex();
    c.NoiseItem = ComboBox3->currentIndex();
    c.FilterItem = ComboBox2->currentIndex();
    const auto reader = [this](int p) { return [this, p] { return FieldValue(ParameterField(p)); }; };
    c.IntegratorTimeConstant = reader(bpIntegratorTimeConstant);
    c.TimeConstant = reader(bpTimeConstant);
    c.CutOff = reader(bpCutOff);
    c.Gain = reader(bpGain);
    return c;
}

CBenchSetup TForm1::AcceptedSetup() const {
    CBenchSetup setup;
    setup.SignalItem = ComboBox1->currentIndex();
    setup.NoiseItem = ComboBox3->currentIndex();
    setup.FilterItem = ComboBox2->currentIndex();
    for (int p = 0; p < BenchParameterCount; ++p) {
        setup.Values[p] = ParameterField(p)->GetVal();
    }
    return setup;
}

void TForm1::ApplyField(int p) {
    Bench.SetParameter(p, FieldValue(ParameterField(p)));
}

void TForm1::EditFloat1Exit() {
    ApplyField(bpGain);
}
void TForm1::EditFloat2Exit() {
    ApplyField(bpIntegratorTimeConstant);
}
void TForm1::EditFloat3Exit() {
    ApplyField(bpTimeConstant);
}
void TForm1::EditFloat4Exit() {
    ApplyField(bpCutOff);
}

void TForm1::FieldFocusLost(QObject* field, Qt::FocusReason reason) {
    // Leaving a field applies it; focus lost to a menu or another window is
    // no leaving.
    int p = 0;
    while (p < BenchParameterCount && ParameterField(p) != field) {
        ++p;
    }
    if (p == BenchParameterCount || reason == Qt::PopupFocusReason ||
        reason == Qt::ActiveWindowFocusReason) {
        return;
    }
    // A read already under way (its message on screen) reads the field itself.
    const auto check = [this, p] {
        if (FieldReads == 0) {
            ApplyField(p);
        }
    };
    // The check waits until the event that moved the focus is over.
    QMetaObject::invokeMethod(
        this,
        [this, check] {
            // A click that moved the focus is still under way: a message shown
            // now would take its release, and the click would be lost. The
            // check waits for the release; a button that reads the field shows
            // the message itself.
            if (QGuiApplication::mouseButtons() != Qt::NoButton) {
                RunAfterMouseRelease(this, check);
            } else {
                check();
            }
        },
        Qt::QueuedConnection);
}
