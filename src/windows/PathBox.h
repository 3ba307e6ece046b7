#pragma once

#include <QLineEdit>

// An edit box for a folder or file path. While the operator is not editing it, a
// path too long for the box shows its start and its end with "…" between, since
// both ends tell a path apart; the whole path is the box's tooltip. Editing shows
// the whole text.
class PathBox : public QLineEdit {
    Q_OBJECT
public:
    explicit PathBox(QWidget* parent = nullptr);

    // The text as the box shows it now.
    QString DisplayedText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;
};
