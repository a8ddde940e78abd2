#pragma once

#include <QLineEdit>

#include <functional>

// The find field: Enter steps to the next match (Shift+Enter to the previous one), and
// Escape closes the find, before the window's own Escape (which stops a feed) can take it.
class TFindField : public QLineEdit {
public:
    explicit TFindField(QWidget* parent) : QLineEdit(parent) {}

    std::function<void()> OnEscape;
    std::function<void(bool backwards)> OnEnter;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
