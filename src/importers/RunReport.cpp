#include "importers/RunReport.h"

#include "base/FileTools.h"

#include "base/ScheduleDateTools.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::Literals::StringLiterals;

namespace {

QString when(const ScheduleDate& date) {
    return ScheduleDateTools::FormatScheduleDate(date, 4);
}

QJsonObject hourObject(const RunOutcome::Hour& hour) {
    const RunOutcome::AdvertTotals totals = RunOutcome::TotalsOf(hour);
    QJsonArray counts;
    QJsonArray fates;
    for (const RunOutcome::Break& met : hour.Breaks) {
        counts.append(met.Adverts);
        fates.append(QJsonObject{{u"time"_s, ScheduleDateTools::FormatSeconds(met.Time, 12)},
                                 {u"fate"_s, RunOutcome::BreakFateText(met.Fate)},
                                 {u"adverts"_s, met.Adverts},
                                 {u"why"_s, met.Why}});
    }
    const QJsonObject adverts{{u"status"_s, RunOutcome::FateText(hour.Adverts)},
                              {u"breaks"_s, int(hour.Breaks.size())},
                              {u"pushed"_s, totals.Adverts},
                              {u"empty"_s, totals.Empty},
                              {u"perBreak"_s, counts},
                              {u"breakFates"_s, fates},
                              {u"caughtUp"_s, hour.CaughtUp}};
    // An hour whose music was not written cannot take its adverts: why the music was
    // not written says all (a lost server, a full disk), once.
    QString reason = hour.MusicReason;
    const bool followsMusic = hour.Music == RunOutcome::NotWritten && hour.Adverts == RunOutcome::NotWritten;
    if (!hour.AdvertsReason.isEmpty() && !(followsMusic && !reason.isEmpty()))
        reason += (reason.isEmpty() ? QString() : u"; "_s) + hour.AdvertsReason;
    return {{u"start"_s, when(hour.Start)},
            {u"music"_s, RunOutcome::FateText(hour.Music)},
            {u"adverts"_s, adverts},
            {u"reason"_s, reason}};
}

QJsonArray texts(const QStringList& list) {
    return QJsonArray::fromStringList(list);
}

} // namespace

QJsonObject RunReport::Json(const RunOutcome& run) {
    QJsonArray hours;
    for (const RunOutcome::Hour& hour : run.Hours())
        hours.append(hourObject(hour));
    QJsonArray rejected;
    for (const RunOutcome::RejectedLine& line : run.RejectedLines())
        rejected.append(QJsonObject{{u"file"_s, line.File},
                                    {u"line"_s, line.Line},
                                    {u"text"_s, line.Text},
                                    {u"reason"_s, line.Reason}});
    QJsonArray carts;
    for (const RunOutcome::MissingCart& cart : run.Carts())
        carts.append(QJsonObject{{u"hour"_s, when(cart.Hour)},
                                 {u"cart"_s, cart.Cart},
                                 {u"title"_s, cart.Title},
                                 {u"problem"_s, cart.Problem}});
    QJsonArray unplaced;
    for (const RunOutcome::UnplacedLine& line : run.UnplacedLines())
        unplaced.append(QJsonObject{
            {u"file"_s, line.File},
            {u"line"_s, line.Line},
            {u"text"_s, line.Text},
            {u"hour"_s, when(line.Hour)},
            {u"time"_s, ScheduleDateTools::FormatSeconds(line.Time, 12)},
            {u"nearestBreak"_s,
             line.NearestBreak < 0 ? QString() : ScheduleDateTools::FormatSeconds(line.NearestBreak, 12)},
            {u"distance"_s, double(line.Distance)}});
    const RunOutcome::AdvertTotals adverts = run.Adverts();
    const QJsonObject totals{
        {u"hoursWritten"_s, run.Count(run.DryRun() ? RunOutcome::Planned : RunOutcome::Written)},
        {u"hoursAlreadyThere"_s, run.Count(RunOutcome::Skipped)},
        {u"hoursNotWritten"_s, int(run.HoursNotWritten().size())},
        {u"hoursNotInFile"_s, int(run.HoursNotInFile().size())},
        {u"advertsPushed"_s, adverts.Adverts},
        {u"advertHoursNotWritten"_s, int(run.AdvertHoursNotWritten().size())},
        {u"advertHoursCaughtUp"_s, int(run.HoursCaughtUp().size())},
        {u"advertHoursTooLate"_s, int(run.AdvertHoursTooLate().size())},
        {u"breaksMet"_s, adverts.Breaks},
        {u"breaksLeftEmpty"_s, adverts.Empty},
        {u"breaksFilteredOut"_s, adverts.Filtered},
        {u"breaksWithCorruptLines"_s, adverts.Corrupt},
        {u"breaksNotWritten"_s, adverts.NotWritten},
        {u"advertLinesUnplaced"_s, int(run.UnplacedLines().size())},
        {u"missingCarts"_s, run.ItemsMissingAudio()},
        {u"cartsMissingOrSilent"_s, run.MissingCarts()}};
    QJsonObject lineFates;
    for (int fate = 0; fate <= int(RunOutcome::LineFate::NotWalked); ++fate)
        lineFates.insert(RunOutcome::LineFateText(RunOutcome::LineFate(fate)),
                         run.AdvertLines(RunOutcome::LineFate(fate)));
    return {{u"dryRun"_s, run.DryRun()},
            {u"started"_s, run.Started().toString(Qt::ISODate)},
            {u"finished"_s, run.Finished().toString(Qt::ISODate)},
            {u"range"_s, QJsonObject{{u"start"_s, when(run.First())}, {u"end"_s, when(run.Last())}}},
            {u"hours"_s, hours},
            {u"rejectedLines"_s, rejected},
            {u"missingCarts"_s, carts},
            {u"unplacedLines"_s, unplaced},
            {u"warnings"_s, texts(run.Warnings())},
            {u"totals"_s, totals},
            {u"lineFates"_s, lineFates},
            {u"startUpFailed"_s, run.StartUpFailure()},
            {u"stoppedBy"_s, run.StoppedBy()},
            {u"stoppedWriting"_s, run.GiveUpReason()},
            {u"exitStatus"_s, int(run.Status())}};
}

bool RunReport::WriteStartUpFailure(const QString& path, const QString& profile, const QString& reason,
                                    QString* problem) {
    RunOutcome run;
    run.Start(false, true);
    run.StartUpFailedAs(reason);
    run.Finish({}, {});
    QJsonObject json = Json(run);
    json.insert(u"profile"_s, profile);
    return FileTools::WriteWhole(path, QJsonDocument(json).toJson(), problem);
}

bool RunReport::Write(const RunOutcome& run, const QString& path, QString* problem) {
    return FileTools::WriteWhole(path, QJsonDocument(Json(run)).toJson(), problem);
}

QStringList RunReport::cartLines(const RunOutcome& run) {
    // One line a cart, however many hours hold it.
    QStringList order;
    QHash<QString, QStringList> hours;
    QHash<QString, const RunOutcome::MissingCart*> first;
    for (const RunOutcome::MissingCart& cart : run.Carts()) {
        const QString key = cart.Cart + u'\n' + cart.Problem;
        if (!first.contains(key)) {
            order.append(key);
            first.insert(key, &cart);
        }
        hours[key].append(when(cart.Hour));
    }
    QStringList lines;
    for (const QString& key : order) {
        const RunOutcome::MissingCart& cart = *first.value(key);
        lines.append(u"  cart %1 ('%2') %3: %4 hour(s): %5"_s.arg(cart.Cart, cart.Title, cart.Problem)
                         .arg(hours[key].size())
                         .arg(hours[key].join(u", "_s)));
    }
    return lines;
}

QString RunReport::Preview(const RunOutcome& run) {
    QStringList lines{
        u"Import preview, %1 to %2: nothing was written."_s.arg(when(run.First()), when(run.Last())),
        QString()};
    for (const RunOutcome::Hour& hour : run.Hours()) {
        QStringList parts;
        if (hour.Music != RunOutcome::Untouched)
            parts.append(u"music: "_s + (hour.Music == RunOutcome::Planned
                                             ? u"to write"_s
                                             : RunOutcome::FateText(hour.Music)));
        if (hour.Adverts != RunOutcome::Untouched) {
            QStringList breaks;
            for (const RunOutcome::Break& met : hour.Breaks)
                breaks.append(met.Fate == RunOutcome::BreakFate::Filled
                                  ? QString::number(met.Adverts)
                                  : RunOutcome::BreakFateText(met.Fate));
            parts.append(
                u"adverts: "_s +
                (hour.Adverts == RunOutcome::Planned ? u"to push"_s : RunOutcome::FateText(hour.Adverts)) +
                (breaks.isEmpty() ? QString() : u" ("_s + breaks.join(u", "_s) + u')') +
                (hour.CaughtUp ? u", caught up"_s : QString()));
        }
        for (const QString& reason : {hour.MusicReason, hour.AdvertsReason}) {
            if (!reason.isEmpty())
                parts.append(reason);
        }
        lines.append(when(hour.Start) + u"  "_s + parts.join(u"; "_s));
    }
    if (!run.RejectedLines().isEmpty()) {
        lines << QString() << u"Lines rejected:"_s;
        for (const RunOutcome::RejectedLine& line : run.RejectedLines())
            lines.append(u"  %1:%2: %3"_s.arg(line.File).arg(line.Line).arg(line.Reason));
    }
    if (!run.UnplacedLines().isEmpty()) {
        lines << QString() << u"Advert lines unplaced:"_s;
        for (const RunOutcome::UnplacedLine& line : run.UnplacedLines())
            lines.append(u"  %1:%2: %3"_s.arg(line.File).arg(line.Line).arg(line.Why()));
    }
    if (!run.Carts().isEmpty())
        lines << QString() << u"Carts missing or silent (each with the hours it is in):"_s << cartLines(run);
    lines << QString()
          << u"Summary (exit status %1: %2; a dry run, so nothing was written)"_s.arg(run.Status())
                 .arg(RunOutcome::StatusMeaning(run.Status(), true));
    for (const QString& line : run.Summary())
        lines.append(u"  "_s + line);
    return lines.join(u'\n') + u'\n';
}
