#include "importers/HourReadiness.h"

#include "base/ScheduleDateTools.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString seconds(float value) {
    return QString::number(qRound(value)) + u" s"_s;
}

QString breakFits(const QList<HourReadiness::BreakFit>& breaks) {
    QStringList text;
    for (const HourReadiness::BreakFit& fit : breaks)
        text.append(u"%1 (adverts %2 in %3)"_s.arg(ScheduleDateTools::FormatSeconds(fit.Time, 12),
                                                   seconds(fit.Adverts), seconds(fit.Length)));
    return text.join(u", "_s);
}

QString copyLengths(const QList<HourReadiness::CopyLength>& adverts) {
    QStringList text;
    for (const HourReadiness::CopyLength& advert : adverts)
        text.append(u"cart %1 at %2 (audio %3, sold %4)"_s.arg(
            advert.Cart, ScheduleDateTools::FormatSeconds(advert.Time, 12), seconds(advert.Audio),
            seconds(advert.Sold)));
    return text.join(u", "_s);
}

} // namespace

HourReadiness::State HourReadiness::Status() const {
    if (!Scheduled)
        return NotScheduled;
    if (SilentItems > 0)
        return MissingAudio;
    if (AdvertsOffered > AdvertsInLog || UnreadableLines > 0)
        return AdvertsMissing;
    if (Breaks > 0 && !AdvertLog && AdvertsInLog == 0)
        return MusicOnly;
    if (TooShort)
        return Short;
    if (!OverfullBreaks.isEmpty())
        return Overfilled;
    if (!UnderfullBreaks.isEmpty())
        return Underfilled;
    if (!CopyLengths.isEmpty())
        return CopyLengthDiffers;
    return Ready;
}

QString HourReadiness::StateName(State state) {
    static const char* const names[] = {
        "not scheduled", "missing audio", "adverts missing",     "music only", "short",
        "overfilled",    "underfilled",   "copy length differs", "ready"};
    return QString::fromLatin1(names[state]);
}

QChar HourReadiness::StateMark(State state) {
    static const QString marks = u"NXAMSOUL+"_s; // in the order of the states
    return marks.at(state);
}

QString HourReadiness::Detail() const {
    switch (Status()) {
    case MissingAudio:
        return u"no audio: "_s + SilentCarts.join(u' ');
    case Short:
        return u"%1 of %2 minutes"_s.arg(ScheduleDateTools::FormatSeconds(Length, 2),
                                         ScheduleDateTools::FormatSeconds(ShortLimit, 2));
    case Overfilled:
        return breakFits(OverfullBreaks);
    case Underfilled:
        return breakFits(UnderfullBreaks);
    case CopyLengthDiffers:
        return copyLengths(CopyLengths);
    default:
        return {};
    }
}

QString HourReadiness::Figures() const {
    QString text = ScheduleDateTools::FormatScheduleDate(Hour, 4) + u": "_s + StateName(Status()) + u".\n"_s;
    text += MusicOffered ? u"The music log offers it; "_s : u"The music log does not offer it; "_s;
    if (!Scheduled)
        return text + u"the Scheduled Log does not hold it."_s;
    text += u"the Scheduled Log holds it, %1 minutes long%2.\n"_s.arg(
        ScheduleDateTools::FormatSeconds(Length, 2),
        TooShort ? u", short of %1"_s.arg(ScheduleDateTools::FormatSeconds(ShortLimit, 2)) : QString());
    if (SilentItems > 0)
        text += u"%1 item(s) without audio, carts %2.\n"_s.arg(SilentItems).arg(SilentCarts.join(u", "_s));
    if (!OverfullBreaks.isEmpty())
        text += u"Overfilled: "_s + breakFits(OverfullBreaks) + u".\n"_s;
    if (!UnderfullBreaks.isEmpty())
        text += u"Underfilled: "_s + breakFits(UnderfullBreaks) + u".\n"_s;
    if (!CopyLengths.isEmpty())
        text += u"Copy length differs: "_s + copyLengths(CopyLengths) + u".\n"_s;
    if (Breaks == 0)
        return text + u"It holds no advert breaks."_s;
    text += u"%1 advert break(s), %2 empty; "_s.arg(Breaks).arg(EmptyBreaks);
    if (!AdvertLog)
        return text + u"no advert log for its day yet."_s;
    return text +
           u"the advert log gives %1 advert(s) for them, %2 in the Scheduled Log."_s.arg(AdvertsOffered)
               .arg(AdvertsInLog);
}
