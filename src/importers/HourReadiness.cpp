#include "importers/HourReadiness.h"

#include "base/ScheduleDateTools.h"

using namespace Qt::Literals::StringLiterals;

HourReadiness::State HourReadiness::Status() const {
    if (!Scheduled)
        return NotScheduled;
    if (AdvertsOffered > AdvertsInLog)
        return AdvertsMissing;
    if (Breaks > 0 && !AdvertLog && AdvertsInLog == 0)
        return MusicOnly;
    if (Underruns)
        return Underrun;
    return Ready;
}

QString HourReadiness::StateName(State state) {
    switch (state) {
    case NotScheduled:
        return u"not scheduled"_s;
    case AdvertsMissing:
        return u"adverts missing"_s;
    case MusicOnly:
        return u"music only"_s;
    case Underrun:
        return u"underrun"_s;
    case Ready:
        break;
    }
    return u"ready"_s;
}

QChar HourReadiness::StateMark(State state) {
    static const QString marks = u"NAMU+"_s; // in the order of the states
    return marks.at(state);
}

QString HourReadiness::Figures() const {
    QString text = ScheduleDateTools::FormatScheduleDate(Hour, 14) + u": "_s + StateName(Status()) + u".\n"_s;
    text += MusicOffered ? u"The music log offers it; "_s : u"The music log does not offer it; "_s;
    if (!Scheduled)
        return text + u"the Scheduled Log does not hold it."_s;
    text += u"the Scheduled Log holds it, %1 minutes long%2.\n"_s.arg(
        ScheduleDateTools::FormatSeconds(Length, 2), Underruns ? u", which may underrun"_s : QString());
    if (Breaks == 0)
        return text + u"It holds no advert breaks."_s;
    text += u"%1 advert break(s), %2 empty; "_s.arg(Breaks).arg(EmptyBreaks);
    if (!AdvertLog)
        return text + u"no advert log for its day yet."_s;
    return text +
           u"the advert log gives %1 advert(s) for them, %2 in the Scheduled Log."_s.arg(AdvertsOffered)
               .arg(AdvertsInLog);
}
