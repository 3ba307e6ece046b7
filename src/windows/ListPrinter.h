#pragma once

#include <QList>
#include <QString>

class QPrinter;
class QTreeWidget;

// Prints a list's columns and rows on pages: the title and the column headings at
// the top of each page, the rows beneath, and the page number at the foot.
class ListPrinter {
public:
    // On the system's current printer; True when the pages went to it.
    bool PrintListView(const QTreeWidget& list, const QString& title);
    bool PrintListView(const QTreeWidget& list, const QString& title, QPrinter& printer);
    // What went wrong with the last print, to follow the printer's name in a message.
    QString GetLastError() const { return lastError; }

    // The rows of each page, as [first, last] pairs, for `rows` rows at `perPage` a page.
    static QList<std::pair<int, int>> Pages(int rows, int perPage);

private:
    QString lastError;
};
