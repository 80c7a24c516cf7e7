// The recovery file: written after changes with every field of the journal,
// offered back at the next start (after the splash), damaged or foreign files
// told once and set aside, and two copies of the program kept apart by the
// locks beside the files.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/RecoveryDocument.h"
#include "app/TJournalModel.h"
#include "app/TJournalPage.h"
#include "app/TRecoveryFile.h"
#include "bench/BenchSamples.h"
#include "bench/CLabSession.h"

namespace {

// Rows unlike the defaults in every field, with numbers whose shortest text
// has many digits and a note a careless writer would break.
std::vector<CJournalRow> SampleRows() {
    CJournalRow run;
    run.Time = "14:03:27";
    run.Run = true;
    run.Setup.SignalItem = siRectangle;
    run.Setup.NoiseItem = niOn;
    run.Setup.FilterItem = fiChebishev;
    run.Setup.Values[bpGain] = 0.1 + 0.2;
    run.Setup.Values[bpIntegratorTimeConstant] = 100000;
    run.Setup.Values[bpTimeConstant] = 12.345678901234567;
    run.Setup.Values[bpCutOff] = 0.3 / 0.001; // 299.99999999999994, as the bench gives it back
    run.Peak.Value = -123.456789012345;
    run.Peak.Time = RunLength - 1;
    run.Note = "шум; \"двойной\"\nвторая строка\tтаб";
    CJournalRow measurement;
    measurement.Time = "14:05:00";
    measurement.Setup.SignalItem = siOff;
    measurement.Setup.NoiseItem = niOn;
    measurement.Setup.FilterItem = fiLowBand1;
    measurement.Setup.Values[bpGain] = 1000;
    measurement.Reading = "12,34";
    measurement.Power = 12.3375;
    return {run, measurement};
}

void ExpectSameRows(const std::vector<CJournalRow>& got, const std::vector<CJournalRow>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].Time, want[i].Time);
        EXPECT_EQ(got[i].Run, want[i].Run);
        EXPECT_EQ(got[i].Setup.SignalItem, want[i].Setup.SignalItem);
        EXPECT_EQ(got[i].Setup.NoiseItem, want[i].Setup.NoiseItem);
        EXPECT_EQ(got[i].Setup.FilterItem, want[i].Setup.FilterItem);
        for (int p = 0; p < BenchParameterCount; ++p) {
            EXPECT_EQ(got[i].Setup.Values[p], want[i].Setup.Values[p]) << p;
        }
        EXPECT_EQ(got[i].Reading, want[i].Reading);
        EXPECT_EQ(got[i].Peak.Value, want[i].Peak.Value);
        EXPECT_EQ(got[i].Peak.Time, want[i].Peak.Time);
        EXPECT_EQ(got[i].Note, want[i].Note);
        EXPECT_EQ(got[i].Power, want[i].Power);
    }
}

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& fileName, const QByteArray& data) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The files of folder but the locks, by name.
QStringList JsonFiles(const QString& folder) {
    return QDir(folder).entryList({"*.json"}, QDir::Files, QDir::Name);
}

// A session's file as the program leaves it when it is killed: written, and
// its keeper gone without the clean exit.
QString LeftBehind(const QString& folder, const std::vector<CJournalRow>& rows) {
    CLabSession session;
    session.AddRows(rows);
    TRecoveryFile file(session, folder);
    EXPECT_TRUE(file.WriteNow());
    return file.FileName();
}

TEST(RecoveryDocument, ReadsBackEveryFieldAndIgnoresMembersItDoesNotKnow) {
    const std::vector<CJournalRow> rows = SampleRows();
    const std::optional<CRecoveredWork> work = ReadRecoveryDocument(RecoveryDocument(rows));
    ASSERT_TRUE(work);
    ExpectSameRows(work->Rows, rows);

    // The student's name, group, teacher and conclusions come back too.
    const CStudentInfo student{"Иванов И. И.", "Р-101", "Петров П. П."};
    const std::optional<CRecoveredWork> full =
        ReadRecoveryDocument(RecoveryDocument(rows, student, "Оптимум около 80 мс;\nвыводы"));
    ASSERT_TRUE(full);
    EXPECT_TRUE(full->Student == student);
    EXPECT_EQ(full->Conclusions, "Оптимум около 80 мс;\nвыводы");

    // What a later program adds beside the rows does not make the file foreign.
    QJsonObject o = QJsonDocument::fromJson(RecoveryDocument(rows)).object();
    o["study"] = QJsonObject{{"filter", 3}};
    const std::optional<CRecoveredWork> later = ReadRecoveryDocument(QJsonDocument(o).toJson());
    ASSERT_TRUE(later);
    ExpectSameRows(later->Rows, rows);
    // A student of the wrong shape is no student.
    o["student"] = QJsonObject{{"name", 5}};
    EXPECT_FALSE(ReadRecoveryDocument(QJsonDocument(o).toJson()));
}

TEST(RecoveryFile, WrittenAfterChangesNotWithinThemAndRemovedWhenNothingIsLeft) {
    QTemporaryDir dir;
    CLabSession session;
    TRecoveryFile recovery(session, dir.path());
    ASSERT_EQ(recovery.FileName(), TRecoveryFile::SlotFileName(dir.path(), 1));
    const std::vector<CJournalRow> rows = SampleRows();
    session.AddRow(rows[0]);
    session.AddRow(rows[1]);
    // The change itself writes nothing: a Start never waits for the disk.
    EXPECT_FALSE(QFileInfo::exists(recovery.FileName()));
    const auto holds = [&](const std::vector<CJournalRow>& want) {
        const auto work = ReadRecoveryDocument(ReadAll(recovery.FileName()));
        return work && work->Rows.size() == want.size() &&
               (want.empty() || work->Rows.back().Note == want.back().Note);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return holds(rows); }, 5000));
    ExpectSameRows(ReadRecoveryDocument(ReadAll(recovery.FileName()))->Rows, rows);

    session.SetNote(1, "проверено");
    ASSERT_TRUE(QTest::qWaitFor([&] { return holds(session.Rows()); }, 5000));
    ExpectSameRows(ReadRecoveryDocument(ReadAll(recovery.FileName()))->Rows, session.Rows());

    session.ClearJournal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(recovery.FileName()); }, 5000));
    EXPECT_EQ(JsonFiles(dir.path()), QStringList{});
}

TEST(RecoveryFile, AFailingWriteIsToldOnceUntilAWriteSucceedsAgain) {
    QTemporaryDir dir;
    MessageRecorder messages;
    CLabSession session;
    TRecoveryFile recovery(session, dir.path());
    session.AddRows(SampleRows());
    // A folder where the file should be: no write can replace it, even root's.
    ASSERT_TRUE(QDir().mkpath(recovery.FileName()));
    EXPECT_FALSE(recovery.WriteNow());
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].find(recovery.FileName().toStdString()), std::string::npos);
    EXPECT_FALSE(recovery.WriteNow());
    EXPECT_EQ(messages.Take().size(), 1u);
    ASSERT_TRUE(QDir().rmdir(recovery.FileName()));
    EXPECT_TRUE(recovery.WriteNow());
    ASSERT_TRUE(QFile::remove(recovery.FileName()));
    ASSERT_TRUE(QDir().mkpath(recovery.FileName()));
    EXPECT_FALSE(recovery.WriteNow());
    EXPECT_EQ(messages.Take().size(), 1u);
}

TEST(RecoveryFile, RestoredRowsComeBackUnsavedAndTheOldFileGoes) {
    QTemporaryDir dir;
    const std::vector<CJournalRow> rows = SampleRows();
    const QString old = LeftBehind(dir.path(), rows);
    ASSERT_TRUE(QFileInfo::exists(old));

    CLabSession session;
    TRecoveryFile recovery(session, dir.path());
    // The old file's slot is not taken: its file is to be offered.
    EXPECT_NE(recovery.FileName(), old);
    ChoiceRecorder yes(0);
    EXPECT_EQ(recovery.OfferRestore(), 2);
    ASSERT_EQ(yes.Asked().size(), 1u);
    EXPECT_EQ(yes.Asked()[0].Text, "Восстановить журнал прошлого сеанса?");
    EXPECT_EQ(yes.Asked()[0].Buttons, (std::vector<std::string>{"Да", "Нет"}));
    EXPECT_EQ(yes.Asked()[0].DefaultButton, 0);
    ExpectSameRows(session.Rows(), rows);
    EXPECT_TRUE(session.HasUnsavedWork());
    // The rows are in this session's file before the old one goes.
    EXPECT_FALSE(QFileInfo::exists(old));
    ExpectSameRows(ReadRecoveryDocument(ReadAll(recovery.FileName()))->Rows, rows);
    // Asked once only.
    EXPECT_EQ(recovery.OfferRestore(), 0);
    EXPECT_EQ(yes.Asked().size(), 1u);
}

TEST(RecoveryFile, NoSetsTheFileAsideAndAFinishedSessionLeavesOthersFilesForTheNextStart) {
    QTemporaryDir dir;
    const QString old = LeftBehind(dir.path(), SampleRows());
    const QByteArray content = ReadAll(old);
    {
        // The student quits before the offer: the old file is still there
        // for the next start.
        CLabSession session;
        TRecoveryFile recovery(session, dir.path());
        session.AddRows(SampleRows());
        EXPECT_TRUE(recovery.WriteNow());
        recovery.Finish();
        EXPECT_EQ(JsonFiles(dir.path()), QStringList{QFileInfo(old).fileName()});
    }
    CLabSession session;
    TRecoveryFile recovery(session, dir.path());
    ChoiceRecorder no(1);
    EXPECT_EQ(recovery.OfferRestore(), 0);
    EXPECT_EQ(no.Asked().size(), 1u);
    EXPECT_TRUE(session.Rows().empty());
    const QStringList files = JsonFiles(dir.path());
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith("journal-recovery-1-")) << files[0].toStdString();
    EXPECT_EQ(ReadAll(dir.filePath(files[0])), content);
}

// Each way a file can be damaged or foreign: one message naming it, the
// file renamed aside unchanged, nothing restored and nothing asked.
TEST(RecoveryFile, DamagedOrForeignFilesAreToldOnceAndSetAside) {
    const QByteArray valid = RecoveryDocument(SampleRows());
    const QJsonObject document = QJsonDocument::fromJson(valid).object();
    const auto changed = [&document](const std::function<void(QJsonObject&)>& change) {
        QJsonObject o = document;
        change(o);
        return QJsonDocument(o).toJson();
    };
    const auto rowChanged = [&changed](const std::function<void(QJsonObject&)>& change) {
        return changed([&change](QJsonObject& o) {
            QJsonArray rows = o["rows"].toArray();
            QJsonObject row = rows[0].toObject();
            change(row);
            rows[0] = row;
            o["rows"] = rows;
        });
    };
    const auto value = [&rowChanged](int p, const QJsonValue& v) {
        return rowChanged([p, v](QJsonObject& row) {
            QJsonArray values = row["values"].toArray();
            values[p] = v;
            row["values"] = values;
        });
    };
    QByteArray huge = valid;
    huge.append(QByteArray(MaxRecoveryFileSize, ' '));
    QByteArray infinite = valid;
    infinite.replace("0.30000000000000004", "1e999");
    ASSERT_NE(infinite, valid);
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"empty", ""},
        {"not JSON", "журнал"},
        {"truncated", valid.left(valid.size() / 2)},
        {"a list", "[]"},
        {"another format", changed([](QJsonObject& o) { o["format"] = "lab journal"; })},
        {"a later version", changed([](QJsonObject& o) { o["version"] = 2; })},
        {"version as text", changed([](QJsonObject& o) { o["version"] = "1"; })},
        {"no rows", changed([](QJsonObject& o) { o.remove("rows"); })},
        {"rows not a list", changed([](QJsonObject& o) { o["rows"] = QJsonObject(); })},
        {"a row not an object", changed([](QJsonObject& o) { o["rows"] = QJsonArray{1}; })},
        {"note missing", rowChanged([](QJsonObject& r) { r.remove("note"); })},
        {"time a number", rowChanged([](QJsonObject& r) { r["time"] = 14; })},
        {"run as text", rowChanged([](QJsonObject& r) { r["run"] = "true"; })},
        {"signal as text", rowChanged([](QJsonObject& r) { r["signal"] = "0"; })},
        {"signal the list lacks", rowChanged([](QJsonObject& r) { r["signal"] = 3; })},
        {"negative filter", rowChanged([](QJsonObject& r) { r["filter"] = -1; })},
        {"fractional noise", rowChanged([](QJsonObject& r) { r["noise"] = 0.5; })},
        {"three values", rowChanged([](QJsonObject& r) {
             QJsonArray values = r["values"].toArray();
             values.removeLast();
             r["values"] = values;
         })},
        {"gain above its field", value(bpGain, 1000.5)},
        {"cut-off below its field", value(bpCutOff, 0.5)},
        {"a value as null", value(bpTimeConstant, QJsonValue())},
        {"an infinite value", infinite},
        {"peak value missing", rowChanged([](QJsonObject& r) {
             r["peak"] = QJsonObject{{"time", 0}};
         })},
        {"peak time past the run", rowChanged([](QJsonObject& r) {
             r["peak"] = QJsonObject{{"value", 1.0}, {"time", RunLength}};
         })},
        {"larger than the cap", huge},
    };
    for (const auto& [what, content] : cases) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        const QString fileName = TRecoveryFile::SlotFileName(dir.path(), 1);
        ASSERT_TRUE(WriteAll(fileName, content));
        MessageRecorder messages;
        ChoiceRecorder yes(0);
        CLabSession session;
        TRecoveryFile recovery(session, dir.path());
        EXPECT_EQ(recovery.OfferRestore(), 0);
        EXPECT_TRUE(yes.Asked().empty());
        EXPECT_TRUE(session.Rows().empty());
        EXPECT_FALSE(QFileInfo::exists(fileName));
        const QStringList files = JsonFiles(dir.path());
        ASSERT_EQ(files.size(), 1) << files.join(' ').toStdString();
        EXPECT_TRUE(files[0].startsWith("journal-recovery-1-"));
        EXPECT_TRUE(ReadAll(dir.filePath(files[0])) == content);
        ASSERT_EQ(messages.Messages().size(), 1u);
        const std::string& text = messages.Messages()[0];
        EXPECT_NE(text.find(QDir::toNativeSeparators(fileName).toStdString()), std::string::npos)
            << text;
        EXPECT_NE(text.find("переименован в " +
                            QDir::toNativeSeparators(dir.filePath(files[0])).toStdString()),
                  std::string::npos)
            << text;
    }
}

TEST(RecoveryFile, ALiveCopysFileIsNeitherWrittenOverNorOfferedADeadOnesIs) {
    QTemporaryDir dir;
    CLabSession first;
    first.AddRows(SampleRows());
    auto live = std::make_unique<TRecoveryFile>(first, dir.path());
    ASSERT_TRUE(live->WriteNow());
    const QString lockName = dir.filePath("journal-recovery-1.lock");
    const QByteArray lockContent = ReadAll(lockName);
    ASSERT_FALSE(lockContent.isEmpty());
    // However long ago the live copy took its lock.
    QFile lock(lockName);
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    lock.close();

    ChoiceRecorder yes(0);
    {
        CLabSession second;
        TRecoveryFile other(second, dir.path());
        EXPECT_EQ(other.FileName(), TRecoveryFile::SlotFileName(dir.path(), 2));
        EXPECT_EQ(other.OfferRestore(), 0);
        EXPECT_TRUE(yes.Asked().empty());
        other.Finish();
    }

    // The first copy is killed: its file stays, and so does its lock, naming
    // a process that no longer runs.
    QProcess gone;
    gone.start("true", QStringList{});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    live.reset();
    QByteArray deadLock = lockContent;
    deadLock.replace(0, deadLock.indexOf('\n'), QByteArray::number(deadPid));
    ASSERT_TRUE(WriteAll(lockName, deadLock));

    CLabSession third;
    TRecoveryFile next(third, dir.path());
    EXPECT_EQ(next.OfferRestore(), 2);
    EXPECT_EQ(yes.Asked().size(), 1u);
    ExpectSameRows(third.Rows(), SampleRows());
}

// The window offers the file after its splash has gone, through the real
// question: Return restores, and the journal page shows the rows.
TEST(RecoveryWindow, OfferedAfterTheSplashReturnRestoresOntoTheJournalPage) {
    QTemporaryDir dir;
    LeftBehind(dir.path(), SampleRows());
    SignalGenerator.Kind = skDelta;
    NoiseGenerator.Amplitude = 1.0;
    MessageRecorder messages;
    auto form = std::make_unique<TForm1>();
    form->show();
    form->EnableRecovery(dir.path());
    RealMessageBoxes boxes;
    QString asked;
    std::vector<QString> buttons;
    NextMessageBox answer([&](QMessageBox& box) {
        asked = box.text();
        for (QAbstractButton* b : box.buttons()) {
            buttons.push_back(b->text());
        }
        EXPECT_EQ(box.defaultButton()->text(), "Да");
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QTest::qWait(50);
    EXPECT_FALSE(answer.Seen()); // the splash is still up
    CloseSplashes();
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.Seen(); }, 5000));
    EXPECT_EQ(asked, "Восстановить журнал прошлого сеанса?");
    EXPECT_EQ(buttons, (std::vector<QString>{"Да", "Нет"}));
    ExpectSameRows(form->Session.Rows(), SampleRows());
    EXPECT_EQ(form->PageControl1->currentWidget(), form->JournalPage);
    EXPECT_EQ(form->JournalPage->Model().rowCount(QModelIndex()), 2);
    EXPECT_TRUE(messages.Messages().empty());
    form->hide();
}

} // namespace
