#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

// Parts the tool's dialogs share: an edit box whose keys and focus its window
// watches, and the row of OK and Cancel buttons.
class QtDialogParts {
public:
    // A box of a fixed width, named as the window's control, watched by `filter`.
    static QLineEdit* EditBox(QWidget* parent, const QString& name, int width, QObject* filter);
    // "OK" (cmdOK, the default button, accepting) and "Cancel" (cmdCancel, rejecting)
    // at the right of a row; `ok` receives the OK button when asked for.
    static QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton** ok = nullptr);
};
