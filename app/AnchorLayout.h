#pragma once

#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

// Places child widgets by their design rectangles and anchors: an anchored edge keeps its
// distance to the same edge of the window; a control anchored to both opposite edges
// stretches, one anchored to neither keeps its design position along that axis.
class TAnchorLayout {
public:
    explicit TAnchorLayout(QSize designClientSize);

    // The widget is borrowed; it gets its design rectangle now.
    void Add(QWidget* widget, QRect designRect, unsigned anchors);
    void Apply(QSize clientSize) const;
    // Moves the top edge of a widget's design rectangle by `dy` (and its height the other
    // way), for a control that makes room above it for a while.
    void ShiftTopEdge(const QWidget* widget, int dy);

private:
    struct TItem {
        QWidget* Widget;
        QRect DesignRect;
        unsigned Anchors;
    };

    static QRect Place(const TItem& item, int growX, int growY);

    QSize DesignClientSize;
    std::vector<TItem> Items;
};
