#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QLayout;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

// Parts the tool's dialogs share: an edit box whose keys and focus its window
// watches, a folder box with its browse button, the row of OK and Cancel buttons,
// and the colour scheme's background.
class QtDialogParts {
public:
    // A box of a fixed width, named as the window's control, watched by `filter`.
    static QLineEdit* EditBox(QWidget* parent, const QString& name, int width, QObject* filter);
    // "OK" (okButton, the default button, accepting) and "Cancel" (cancelButton, rejecting)
    // at the right of a row; `ok` receives the OK button when asked for.
    static QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton** ok = nullptr);
    // A folder box named `name` and, beside it, "Browse..." (named "browseButton" +
    // `name` without its "txt") that picks a folder into it. The box goes to `box`.
    static QHBoxLayout* FolderRow(QWidget* parent, const QString& name, const QString& title,
                                  QLineEdit** box);
    // Takes a background colour (0xRRGGBB), with a text colour that reads on it.
    static void SetBackground(QWidget* widget, quint32 background);
};
