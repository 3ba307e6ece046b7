#include "importers/advert/AdvertLogView.h"

#include "base/ScheduleDateTools.h"
#include "importers/advert/AdvertLineLayout.h"

AdvertLogView AdvertLogView::Read(LineSource& source, qint32 cartOffset, double startSeconds) {
    AdvertLogView view;
    double previous = -1;
    QString line;
    while (source.NextLine(line)) {
        if (line.trimmed().isEmpty()) {
            view.Rows.append(Row());
            previous = -1;
            continue;
        }
        const double time = AdvertLineLayout::AdvertLineSeconds(line);
        QString timeText;
        if (time > previous) { // a new break
            if (previous != -1)
                view.Rows.append(Row()); // a gap between two breaks that no blank line separates
            timeText = ScheduleDateTools::FormatSeconds(time, 4);
            previous = time;
            if (view.Selection == 0 && time >= startSeconds)
                view.Selection = int(view.Rows.size()) + 1;
        }
        view.Rows.append(Row{timeText, AdvertLineLayout::AdvertLineCart(line, cartOffset),
                             AdvertLineLayout::AdvertLineTitle(line),
                             AdvertLineLayout::AdvertLineReference(line),
                             AdvertLineLayout::AdvertLineNotes(line).value_or(QString())});
    }
    return view;
}
