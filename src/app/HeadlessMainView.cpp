#include "app/HeadlessMainView.h"

using namespace Qt::Literals::StringLiterals;

namespace {
void tell(const QString& text) {
    QTextStream(stderr) << u"logimporter: "_s << text << Qt::endl;
}
} // namespace

bool HeadlessMainView::IsRangeValid(bool inOrder, bool withinLimits, bool dated) {
    const QString problem = range.Problem(inOrder, withinLimits, dated);
    // The check that keeps the buttons up to date (end after start) runs on every
    // change; only the checks made before an action say why they refuse.
    if (!problem.isEmpty() && !inOrder)
        tell(problem);
    return problem.isEmpty();
}

bool HeadlessMainView::ShowSettings(LogImportSettingsModel&) {
    tell(
        u"the Log Importer Settings window cannot be shown without a display; the settings stay as they are"_s);
    return false;
}

void HeadlessMainView::ShowReport(const QString& path, const QString& caption) {
    tell(u"the "_s + caption + u" cannot be shown without a display; it is in "_s + path);
}

void HeadlessMainView::ShowText(const QString& text, const QString&) {
    // The text heads itself; the caption is a window's title.
    QTextStream(stdout) << text << Qt::flush;
}

void HeadlessMainView::Announce(const QString& text) {
    QTextStream(stdout) << text << Qt::endl;
}
