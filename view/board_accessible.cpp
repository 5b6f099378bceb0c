// The board's accessible tree, in the order a reader meets the board from the top: the two
// message lines, the rows from the top row (the longest at the start) down to row 0, and the
// Play button. The parts have no widget of their own; the board's interface makes and registers
// them once, for all seven rows a game may have, and shows as many as the game has.
#include "view/board_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <array>

#include "view/board_geometry.h"
#include "view/torvel_view.h"

namespace view {

namespace {

int32_t RowsOf(const CTorvelView& view) {
    const game::CTorvelDoc* document = view.GetDocument();
    return document != nullptr ? std::clamp(document->engine.GetRowCount(), 0, engine::kMostRows)
                               : 0;
}

// "Row 3: 7 sticks, 2 selected"; "Row 0: 1 stick".
QString RowName(const CTorvelView& view, int32_t row) {
    const int32_t sticks = view.GetDocument()->engine.GetSticks(row);
    QString name = QStringLiteral("Row %1: %2 %3")
                       .arg(row)
                       .arg(sticks)
                       .arg(sticks == 1 ? QStringLiteral("stick") : QStringLiteral("sticks"));
    if (view.turn.sticksTaken > 0 && view.turn.selectedRow == row) {
        name += QStringLiteral(", %1 selected").arg(view.turn.sticksTaken);
    }
    return name;
}

QString LineText(const std::string& line) {
    return QString::fromStdString(line).trimmed();
}

// One message line (index 0 or 1), one row (its index) or the Play button.
class BoardPart : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    enum class Kind { Line, Row, Play };

    BoardPart(CTorvelView* board, Kind partKind, int32_t partIndex)
        : view(board), kind(partKind), index(partIndex) {}

    bool isValid() const override {
        return !view.isNull() && view->GetDocument() != nullptr &&
               (kind != Kind::Row || index < RowsOf(*view));
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return view.isNull() ? nullptr : view->window()->windowHandle();
    }
    QAccessibleInterface* parent() const override {
        return view.isNull() ? nullptr : QAccessible::queryAccessibleInterface(view.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid()) {
            return {};
        }
        switch (kind) {
            case Kind::Line:
                return LineText(index == 0 ? view->turn.messageLine1 : view->turn.messageLine2);
            case Kind::Row:
                return RowName(*view, index);
            case Kind::Play:
                return QStringLiteral("Play");
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const BoardGeometry geometry(RowsOf(*view));
        QRect local;
        switch (kind) {
            case Kind::Line:
                local = QRect(0, 15 * index, view->width(), 15);
                break;
            case Kind::Row: {
                const int32_t sticks = view->GetDocument()->engine.GetSticks(index);
                const int32_t left = geometry.StickLeft(0, sticks);
                int32_t right = geometry.StickLeft(sticks, sticks);
                if (view->turn.sticksTaken > 0 && view->turn.selectedRow == index) {
                    right = geometry.SelectedStickLeft(view->turn.sticksTaken);
                }
                local = QRect(left, geometry.RowTop(index), right - left, kStickLength);
                break;
            }
            case Kind::Play: {
                const Rect& button = view->board.playButtonRect;
                local = QRect(button.left, button.top, button.Width(), button.Height());
                break;
            }
        }
        return QRect(view->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override {
        switch (kind) {
            case Kind::Line:
                return QAccessible::StaticText;
            case Kind::Row:
                return QAccessible::ListItem;
            case Kind::Play:
                return QAccessible::Button;
        }
        return QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.readOnly = kind == Kind::Line;
        state.invisible = kind == Kind::Line && !view->turn.showMessages;
        state.selectable = kind == Kind::Row;
        state.selected =
            kind == Kind::Row && view->turn.sticksTaken > 0 && view->turn.selectedRow == index;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface && kind != Kind::Line
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }
    // Pressing a row selects one more stick of it; pressing Play plays.
    QStringList actionNames() const override {
        return kind == Kind::Line ? QStringList() : QStringList(pressAction());
    }
    void doAction(const QString& action) override {
        if (action != pressAction() || !isValid()) {
            return;
        }
        if (kind == Kind::Row) {
            view->ClickRow(index);
        } else if (kind == Kind::Play) {
            view->ClickPlay();
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action != pressAction() || kind == Kind::Line) {
            return {};
        }
        return QStringList(kind == Kind::Row ? QString::number(index) : QStringLiteral("Return"));
    }

  private:
    QPointer<CTorvelView> view;
    Kind kind;
    int32_t index;
};

class BoardInterface : public QAccessibleWidget {
  public:
    explicit BoardInterface(CTorvelView* board)
        : QAccessibleWidget(board, QAccessible::Client), view(board) {
        for (size_t i = 0; i < parts.size(); ++i) {
            const int32_t n = static_cast<int32_t>(i);
            auto* part = n < 2 ? new BoardPart(board, BoardPart::Kind::Line, n)
                         : n < 2 + engine::kMostRows
                             ? new BoardPart(board, BoardPart::Kind::Row, n - 2)
                             : new BoardPart(board, BoardPart::Kind::Play, 0);
            parts[i] = part;
            ids[i] = QAccessible::registerAccessibleInterface(part);
        }
        Remember();
    }
    ~BoardInterface() override {
        for (QAccessible::Id id : ids) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return view.isNull() ? 0 : RowsOf(*view) + 3; }
    // The lines, the rows from the top down, the button.
    QAccessibleInterface* child(int i) const override {
        const int rows = childCount() - 3;
        if (i < 0 || i >= childCount()) {
            return nullptr;
        }
        if (i < 2) {
            return parts[static_cast<size_t>(i)];
        }
        if (i < 2 + rows) {
            return parts[static_cast<size_t>(2 + (rows - 1 - (i - 2)))];
        }
        return parts.back();
    }
    int indexOfChild(const QAccessibleInterface* part) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i) == part) {
                return i;
            }
        }
        return -1;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return QStringLiteral("Board");
        }
        if (t == QAccessible::Description) {
            return Messages();
        }
        return QAccessibleWidget::text(t);
    }

    // Sends an event for every part whose name changed since the last call, and for the
    // board when its rows or its messages changed.
    void Announce() {
        for (size_t i = 0; i < parts.size(); ++i) {
            if (parts[i]->text(QAccessible::Name) != told[i]) {
                QAccessibleEvent event(parts[i], QAccessible::NameChanged);
                QAccessible::updateAccessibility(&event);
            }
        }
        if (childCount() != toldChildren) {
            QAccessibleEvent event(view.data(), QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&event);
        }
        if (Messages() != toldMessages) {
            QAccessibleEvent event(view.data(), QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
        Remember();
    }

  private:
    // The message lines as one text, read when the board has the focus; none while hidden.
    QString Messages() const {
        if (view.isNull() || !view->turn.showMessages) {
            return {};
        }
        return (LineText(view->turn.messageLine1) + QLatin1Char(' ') +
                LineText(view->turn.messageLine2))
            .trimmed();
    }
    void Remember() {
        for (size_t i = 0; i < parts.size(); ++i) {
            told[i] = parts[i]->text(QAccessible::Name);
        }
        toldChildren = childCount();
        toldMessages = Messages();
    }

    static constexpr size_t kParts = 2 + engine::kMostRows + 1;
    QPointer<CTorvelView> view;
    std::array<BoardPart*, kParts> parts{};
    std::array<QAccessible::Id, kParts> ids{};
    std::array<QString, kParts> told;
    int toldChildren = 0;
    QString toldMessages;
};

QAccessibleInterface* BoardFactory(const QString&, QObject* object) {
    auto* board = dynamic_cast<CTorvelView*>(object);
    return board != nullptr ? new BoardInterface(board) : nullptr;
}

}  // namespace

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceBoardChanges(CTorvelView& view) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (auto* board = dynamic_cast<BoardInterface*>(QAccessible::queryAccessibleInterface(&view))) {
        board->Announce();
    }
}

}  // namespace view
