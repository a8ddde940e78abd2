#pragma once

#include "app/EscapeOwningEdit.h"

#include <functional>

// The find field: Enter steps to the next match (Shift+Enter to the previous one), and
// Escape closes the find.
class TFindField : public TEscapeOwningEdit {
public:
    explicit TFindField(QWidget* parent) : TEscapeOwningEdit(parent) {}

    std::function<void()> OnEscape;
    std::function<void(bool backwards)> OnEnter;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
