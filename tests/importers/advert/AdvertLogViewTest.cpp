#include "importers/advert/AdvertLogView.h"
#include "base/ListLineSource.h"
#include "importers/advert/AdvertLineLayout.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString advert(const QString& time, const QString& cart, const QString& title = u"Spot"_s,
               const QString& notes = QString()) {
    return AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, cart, title, u"REF "_s + cart, 30, false,
                                             notes);
}

AdvertLogView read(const QStringList& lines, double start = 0, qint32 offset = 0) {
    ListLineSource source(lines);
    return AdvertLogView::Read(source, offset, start);
}

QStringList times(const AdvertLogView& view) {
    QStringList shown;
    for (const AdvertLogView::Row& row : view.Rows)
        shown.append(row.Cart.isEmpty() ? u"-"_s : row.Time);
    return shown;
}

} // namespace

TEST(AdvertLogView, TwoBreaksWithoutABlankLineGetOneGapRowAndTheirTimeOnTheFirstRowOnly) {
    const AdvertLogView view = read({advert(u"06:15:00"_s, u"0034"_s), advert(u"06:15:00"_s, u"0035"_s),
                                     advert(u"06:45:00"_s, u"0036"_s)});
    EXPECT_EQ(times(view), QStringList({u"06:15:00"_s, QString(), u"-"_s, u"06:45:00"_s}));
    EXPECT_EQ(view.Rows[0].Reference, u"REF 0034");
    EXPECT_EQ(view.Rows[2], AdvertLogView::Row());
}

TEST(AdvertLogView, TheFirstBreakAtOrAfterTheStartIsSelected) {
    const QStringList lines = {advert(u"09:45:00"_s, u"0034"_s), advert(u"10:00:00"_s, u"0035"_s),
                               advert(u"10:00:00"_s, u"0036"_s), advert(u"10:30:00"_s, u"0037"_s)};
    EXPECT_EQ(read(lines, 10 * 3600).Selection, 3); // after the 09:45 row and its gap row
    EXPECT_EQ(read(lines, 11 * 3600).Selection, 0); // every break is earlier
    EXPECT_EQ(read({}, 0).Rows.size(), 0);
}

TEST(AdvertLogView, CartNumbersGetTheAdvertOffsetAndTheNotesAreShown) {
    const AdvertLogView view =
        read({advert(u"06:15:00"_s, u"0034"_s, u"Garage"_s, u"Read this!"_s)}, 0, 1000);
    ASSERT_EQ(view.Rows.size(), 1);
    EXPECT_EQ(view.Rows[0].Cart, u"1034");
    EXPECT_EQ(view.Rows[0].Title, u"Garage");
    EXPECT_EQ(view.Rows[0].Notes, u"Read this!");
}
