#include "windows/ListPrinter.h"

#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

// The columns' widths on the page, in proportion to their widths in the list.
QList<int> columnWidths(const QTreeWidget& list, int pageWidth) {
    QList<int> widths;
    int total = 0;
    for (int c = 0; c < list.columnCount(); ++c) {
        widths.append(std::max(1, list.columnWidth(c)));
        total += widths.last();
    }
    for (int& width : widths)
        width = width * pageWidth / total;
    return widths;
}

void drawRow(QPainter& painter, const QStringList& cells, const QList<int>& widths, int top, int height) {
    int left = 0;
    for (qsizetype c = 0; c < cells.size() && c < widths.size(); ++c) {
        const QRect cell(left, top, widths[c] - 4, height);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(cells[c], Qt::ElideRight, cell.width()));
        left += widths[c];
    }
}

QStringList cellsOf(const QTreeWidgetItem* item, int columns) {
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells.append(item->text(c));
    return cells;
}

} // namespace

QList<std::pair<int, int>> ListPrinter::Pages(int rows, int perPage) {
    QList<std::pair<int, int>> pages;
    for (int first = 0; first < rows; first += perPage)
        pages.append({first, std::min(rows, first + perPage) - 1});
    if (pages.isEmpty())
        pages.append({0, -1}); // an empty list still prints its headings
    return pages;
}

bool ListPrinter::PrintListView(const QTreeWidget& list, const QString& title) {
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    if (printer.printerName().isEmpty()) {
        lastError = u" (there is no printer)"_s;
        return false;
    }
    return PrintListView(list, title, printer);
}

bool ListPrinter::PrintListView(const QTreeWidget& list, const QString& title, QPrinter& printer) {
    lastError.clear();
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        lastError = u" (the printer could not be opened)"_s;
        return false;
    }
    QFont font(u"Courier"_s, 9);
    painter.setFont(font);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int line = painter.fontMetrics().height() * 5 / 4;
    const int headerLines = 4; // title, blank, headings, blank
    const int perPage = std::max(1, page.height() / line - headerLines - 2);
    const QList<int> widths = columnWidths(list, page.width());
    QStringList headings;
    for (int c = 0; c < list.columnCount(); ++c)
        headings.append(list.headerItem()->text(c));

    const QList<std::pair<int, int>> pages = Pages(list.topLevelItemCount(), perPage);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            lastError = u" (a new page could not be started)"_s;
            return false;
        }
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(0, 0, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter, title);
        drawRow(painter, headings, widths, 2 * line, line);
        painter.setFont(font);
        int top = headerLines * line;
        for (int r = pages[p].first; r <= pages[p].second; ++r, top += line)
            drawRow(painter, cellsOf(list.topLevelItem(r), list.columnCount()), widths, top, line);
        painter.drawText(QRect(0, page.height() - line, page.width(), line), Qt::AlignCenter,
                         u"Page %1 of %2"_s.arg(p + 1).arg(pages.size()));
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        lastError = u" (the printer reported an error)"_s;
        return false;
    }
    return true;
}
