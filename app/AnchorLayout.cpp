#include "app/AnchorLayout.h"

#include <QWidget>

namespace {

// Start and length along one axis, given the growth of the window along it.
std::pair<int, int> PlaceAxis(int start, int length, bool nearAnchor, bool farAnchor, int grow)
{
    if (nearAnchor && farAnchor)
        return {start, length + grow};
    if (farAnchor)
        return {start + grow, length};
    return {start, length};
}

}  // namespace

TAnchorLayout::TAnchorLayout(QSize designClientSize) : DesignClientSize(designClientSize)
{
}

void TAnchorLayout::Add(QWidget* widget, QRect designRect, unsigned anchors)
{
    Items.push_back({widget, designRect, anchors});
    widget->setGeometry(designRect);
}

QRect TAnchorLayout::Place(const TItem& item, int growX, int growY)
{
    const QRect& r = item.DesignRect;
    const auto [x, width] = PlaceAxis(r.x(), r.width(), item.Anchors & akLeft, item.Anchors & akRight, growX);
    const auto [y, height] = PlaceAxis(r.y(), r.height(), item.Anchors & akTop, item.Anchors & akBottom, growY);
    return QRect(x, y, width, height);
}

void TAnchorLayout::Apply(QSize clientSize) const
{
    const int growX = clientSize.width() - DesignClientSize.width();
    const int growY = clientSize.height() - DesignClientSize.height();
    for (const TItem& item : Items)
        item.Widget->setGeometry(Place(item, growX, growY));
}

void TAnchorLayout::ShiftTopEdge(const QWidget* widget, int dy)
{
    for (TItem& item : Items)
        if (item.Widget == widget)
            item.DesignRect.setTop(item.DesignRect.top() + dy);
}
