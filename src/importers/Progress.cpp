#include "importers/Progress.h"

#include "base/GeneralTools.h"
#include "base/NumericText.h"

namespace {
qint16 percentOf(double percent) {
    return qint16(GeneralTools::Clamp(NumericText::RoundHalfEven(percent), -32768, 32767));
}
} // namespace

void Progress::Task(const QString& text) const {
    if (callback)
        callback->SetCurrentTaskName(text);
}

void Progress::Process(const QString& text) const {
    if (callback)
        callback->SetCurrentProcessName(text);
}

void Progress::Overall(const QString& text) const {
    if (callback)
        callback->SetOverallProcessName(text);
}

void Progress::CurrentPercent(double percent) const {
    if (callback)
        callback->SetCurrentProcessProgressPercent(percentOf(percent));
}

void Progress::OverallPercent(double percent) const {
    if (callback)
        callback->SetOverallProcessProgressPercent(percentOf(percent));
}

void Progress::Clear(const QString& report1Title, const QString& report2Title) const {
    if (callback)
        callback->Clear(report1Title, report2Title);
}

void Progress::Increment(qint16 report) const {
    if (callback)
        callback->IncrementReportCount(report);
}

void Progress::ThirdCount(const QString& title) const {
    if (callback)
        callback->TitleThirdCount(title);
}

void Progress::Hour(int number, int of) const {
    if (callback)
        callback->SetHourNumber(number, of);
}

void Progress::Begin(const QString& overall, const QString& task, const QString& report1Title,
                     const QString& report2Title) const {
    OverallPercent(0);
    Task(task);
    Process(QString());
    Overall(overall);
    Clear(report1Title, report2Title);
}

void Progress::Completed(const QString& overall) const {
    Task(QStringLiteral("Closing Scheduled Log"));
    Process(QStringLiteral("Tidying Up"));
    Overall(overall);
    CurrentPercent(100);
    OverallPercent(100);
}

void Progress::Finish() const {
    Task(QString());
    Process(QString());
    Overall(QStringLiteral("Finishing"));
    CurrentPercent(100);
    OverallPercent(100);
    Clear();
}

double Progress::FileShare(qint64 bytesRead, qint64 length) {
    return length <= 0 ? 0 : GeneralTools::ClampDouble(double(bytesRead) * 100.0 / double(length), 0, 100);
}
