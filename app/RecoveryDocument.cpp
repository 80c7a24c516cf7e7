#include "app/RecoveryDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <cmath>

#include "bench/BenchConstants.h"
#include "bench/CLabSession.h"

namespace {

const QString FormatName = QStringLiteral("matched-filter-lab journal recovery");
constexpr int FormatVersion = 1;

QJsonValue Text(const std::string& text) {
    return QString::fromStdString(text);
}

QJsonObject RowObject(const CJournalRow& row) {
    QJsonArray values;
    for (double v : row.Setup.Values) {
        values.append(v);
    }
    return QJsonObject{
        {"time", Text(row.Time)},
        {"run", row.Run},
        {"signal", row.Setup.SignalItem},
        {"noise", row.Setup.NoiseItem},
        {"filter", row.Setup.FilterItem},
        {"values", values},
        {"reading", Text(row.Reading)},
        {"power", row.Power},
        {"peak", QJsonObject{{"value", row.Peak.Value}, {"time", row.Peak.Time}}},
        {"note", Text(row.Note)},
    };
}

// The readers below take one member each and say whether it was there with
// the right type and within its range; any "no" makes the document damaged.

bool ReadText(const QJsonObject& o, const char* key, std::string& out) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString()) {
        return false;
    }
    out = v.toString().toStdString();
    return true;
}

bool ReadNumber(const QJsonValue& v, double min, double max, double& out) {
    if (!v.isDouble()) {
        return false;
    }
    out = v.toDouble();
    return std::isfinite(out) && out >= min && out <= max;
}

bool ReadInteger(const QJsonObject& o, const char* key, int min, int max, int& out) {
    double d = 0.0;
    if (!ReadNumber(o.value(QLatin1String(key)), min, max, d) || d != std::floor(d)) {
        return false;
    }
    out = static_cast<int>(d);
    return true;
}

// A field's value as the bench applied it: within the field's range, give or
// take the rounding of its conversion to the filter's unit and back.
bool ReadValue(const QJsonValue& v, int p, double& out) {
    const CBenchParameter& field = BenchParameters[p];
    const double slack = 1e-9 * std::max(1.0, std::fabs(field.Max));
    return ReadNumber(v, field.Min - slack, field.Max + slack, out);
}

bool ReadRow(const QJsonValue& value, CJournalRow& row) {
    if (!value.isObject()) {
        return false;
    }
    const QJsonObject o = value.toObject();
    const QJsonValue run = o.value(QLatin1String("run"));
    const QJsonValue values = o.value(QLatin1String("values"));
    const QJsonValue peak = o.value(QLatin1String("peak"));
    if (!run.isBool() || !values.isArray() || values.toArray().size() != BenchParameterCount ||
        !peak.isObject()) {
        return false;
    }
    row.Run = run.toBool();
    for (int p = 0; p < BenchParameterCount; ++p) {
        if (!ReadValue(values.toArray().at(p), p, row.Setup.Values[p])) {
            return false;
        }
    }
    const QJsonObject peakObject = peak.toObject();
    return ReadText(o, "time", row.Time) && ReadText(o, "reading", row.Reading) &&
           ReadText(o, "note", row.Note) &&
           ReadNumber(o.value(QLatin1String("power")), 0.0, HUGE_VAL, row.Power) &&
           ReadInteger(o, "signal", 0, SignalItemCount - 1, row.Setup.SignalItem) &&
           ReadInteger(o, "noise", 0, NoiseItemCount - 1, row.Setup.NoiseItem) &&
           ReadInteger(o, "filter", 0, FilterItemCount - 1, row.Setup.FilterItem) &&
           ReadNumber(peakObject.value(QLatin1String("value")), -HUGE_VAL, HUGE_VAL,
                      row.Peak.Value) &&
           ReadInteger(peakObject, "time", 0, RunLength - 1, row.Peak.Time);
}

} // namespace

QByteArray RecoveryDocument(const std::vector<CJournalRow>& rows, const CStudentInfo& student,
                            const std::string& conclusions) {
    QJsonArray list;
    for (const CJournalRow& row : rows) {
        list.append(RowObject(row));
    }
    const QJsonObject document{
        {"format", FormatName},
        {"version", FormatVersion},
        {"rows", list},
        {"student", QJsonObject{{"name", Text(student.Name)},
                                {"group", Text(student.Group)},
                                {"teacher", Text(student.Teacher)}}},
        {"conclusions", Text(conclusions)}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

QByteArray RecoveryDocument(const CLabSession& session) {
    return RecoveryDocument(session.Rows(), session.Student(), session.Conclusions());
}

std::optional<CRecoveredWork> ReadRecoveryDocument(const QByteArray& data) {
    if (data.size() > MaxRecoveryFileSize) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = document.object();
    int version = 0;
    const QJsonValue rows = o.value(QLatin1String("rows"));
    if (o.value(QLatin1String("format")).toString() != FormatName ||
        !ReadInteger(o, "version", FormatVersion, FormatVersion, version) || !rows.isArray() ||
        rows.toArray().size() > MaxRecoveryRows) {
        return std::nullopt;
    }
    CRecoveredWork work;
    const QJsonValue student = o.value(QLatin1String("student"));
    if (!student.isObject() || !ReadText(student.toObject(), "name", work.Student.Name) ||
        !ReadText(student.toObject(), "group", work.Student.Group) ||
        !ReadText(student.toObject(), "teacher", work.Student.Teacher) ||
        !ReadText(o, "conclusions", work.Conclusions)) {
        return std::nullopt;
    }
    const QJsonArray list = rows.toArray();
    work.Rows.reserve(static_cast<std::size_t>(list.size()));
    for (const QJsonValue& value : list) {
        CJournalRow row;
        if (!ReadRow(value, row)) {
            return std::nullopt;
        }
        work.Rows.push_back(std::move(row));
    }
    return work;
}
