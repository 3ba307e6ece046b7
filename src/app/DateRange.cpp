#include "app/DateRange.h"

#include "base/ScheduleDateTools.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

QString DateRange::Problem(bool inOrder, bool withinLimits, bool dated) const {
    if (dated && (Start.Day <= 0 || End.Day <= 0))
        return u"Both the start and the end must be dates"_s;
    if (withinLimits) {
        for (const ScheduleDate& end : {Start, End}) {
            if (ScheduleDateTools::IsBefore(end, Earliest) || ScheduleDateTools::IsAfter(end, Latest))
                return u"The range must lie between "_s + ScheduleDateTools::FormatScheduleDate(Earliest, 4) +
                       u" and "_s + ScheduleDateTools::FormatScheduleDate(Latest, 4);
        }
    }
    if (inOrder && ScheduleDateTools::IsBefore(End, Start))
        return u"The end of the range must not come before its start"_s;
    return {};
}

QString DateRange::Label(const ScheduleDate& date) {
    const QDateTime when = ScheduleDateTools::ToDate(date);
    const QLocale locale;
    return locale.dayName(when.date().dayOfWeek(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.date(), QLocale::ShortFormat) + u' ' + when.time().toString(u"HH:mm"_s);
}
