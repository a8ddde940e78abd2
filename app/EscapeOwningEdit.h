#pragma once

#include <QLineEdit>

// A field that keeps Escape for itself while it has the focus: the window's Escape, which
// stops a feed, must not take the key from a field the user is typing in (the find field,
// the editor of a tree row).
class TEscapeOwningEdit : public QLineEdit {
public:
    explicit TEscapeOwningEdit(QWidget* parent) : QLineEdit(parent) {}

protected:
    bool event(QEvent* event) override;
};
