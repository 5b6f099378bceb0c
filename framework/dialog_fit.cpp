#include "framework/dialog_fit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

namespace framework {

namespace {

// Pixels kept free between a control and the edge of what holds it.
constexpr int kEdgeMargin = 4;

// How many pixels more the control's text needs: lines below a static text, width for the
// words of a button or of a box's title.
int Shortfall(const PlacedControl& placed, Qt::Orientation direction) {
    const QWidget* control = placed.control;
    if (!placed.translated) {
        return 0;
    }
    if (direction == Qt::Vertical) {
        const auto* label = qobject_cast<const QLabel*>(control);
        return label != nullptr && label->wordWrap()
                   ? label->heightForWidth(placed.area.width()) - placed.area.height()
                   : 0;
    }
    if (qobject_cast<const QAbstractButton*>(control) != nullptr) {
        return control->sizeHint().width() - placed.area.width();
    }
    if (qobject_cast<const QGroupBox*>(control) != nullptr) {
        return control->minimumSizeHint().width() - placed.area.width();
    }
    return 0;
}

int Start(const QRect& area, Qt::Orientation direction) {
    return direction == Qt::Horizontal ? area.left() : area.top();
}

int End(const QRect& area, Qt::Orientation direction) {
    return direction == Qt::Horizontal ? area.right() + 1 : area.bottom() + 1;
}

// Whether two areas lie side by side across the direction of growth, so that one growing
// would run into the other.
bool Across(const QRect& a, const QRect& b, Qt::Orientation direction) {
    return direction == Qt::Horizontal ? a.top() < b.bottom() + 1 && b.top() < a.bottom() + 1
                                       : a.left() < b.right() + 1 && b.left() < a.right() + 1;
}

bool Holds(const std::vector<PlacedControl>& controls, size_t outer, size_t inner) {
    for (int at = controls[inner].holder; at >= 0; at = controls[static_cast<size_t>(at)].holder) {
        if (static_cast<size_t>(at) == outer) {
            return true;
        }
    }
    return false;
}

// Grows control `index` by `more` pixels in `direction`. Where it would run into a control
// beyond it or the edge of its box or dialog, everything from there on moves along and the
// boxes holding it grow.
void Grow(std::vector<PlacedControl>& controls, size_t index, int more, QSize dialog,
          Qt::Orientation direction) {
    const QRect area = controls[index].area;
    const int holder = controls[index].holder;
    int limit = (direction == Qt::Horizontal ? dialog.width() : dialog.height()) - kEdgeMargin;
    if (holder >= 0) {
        limit = End(controls[static_cast<size_t>(holder)].area, direction) - kEdgeMargin;
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        const QRect& other = controls[i].area;
        if (i != index && !Holds(controls, i, index) &&
            Start(other, direction) >= End(area, direction) && Across(area, other, direction)) {
            limit = std::min(limit, Start(other, direction));
        }
    }
    const int push = End(area, direction) + more - std::max(limit, End(area, direction));
    QRect& grown = controls[index].area;
    if (direction == Qt::Horizontal) {
        grown.setWidth(grown.width() + more);
    } else {
        grown.setHeight(grown.height() + more);
    }
    if (push <= 0) {
        return;
    }
    const QPoint step = direction == Qt::Horizontal ? QPoint(push, 0) : QPoint(0, push);
    const int from = std::max(limit, End(area, direction));
    for (size_t i = 0; i < controls.size(); ++i) {
        QRect& other = controls[i].area;
        if (i == index) {
            continue;
        }
        if (Holds(controls, i, index)) {
            other.setBottomRight(other.bottomRight() + step);
        } else if (Start(other, direction) >= from) {
            other.translate(step);
        }
    }
}

int FarEnd(const std::vector<PlacedControl>& controls, Qt::Orientation direction) {
    int end = 0;
    for (const PlacedControl& placed : controls) {
        end = std::max(end, End(placed.area, direction));
    }
    return end;
}

}  // namespace

QSize FitTexts(std::vector<PlacedControl>& controls, QSize dialog) {
    const QSize before(FarEnd(controls, Qt::Horizontal), FarEnd(controls, Qt::Vertical));
    for (Qt::Orientation direction : {Qt::Horizontal, Qt::Vertical}) {
        for (size_t i = 0; i < controls.size(); ++i) {
            if (const int more = Shortfall(controls[i], direction); more > 0) {
                Grow(controls, i, more, dialog, direction);
            }
        }
    }
    const QSize after(FarEnd(controls, Qt::Horizontal), FarEnd(controls, Qt::Vertical));
    return dialog + (after - before).expandedTo(QSize(0, 0));
}

}  // namespace framework
