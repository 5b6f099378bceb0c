// The board's accessible tree, in the order a reader meets the board from the top: the message
// area, the rows from the top row (the longest at the start) down to row 0, and the Play button.
// The parts have no widget of their own; the board's interface makes and registers them once, for
// all seven rows a game may have, and shows as many as the game has.
//
// The board keeps the keyboard, as a list view does, and moves the accessible focus among its
// parts: to the row whose selection changed, to the message area when it says something new (a
// hint, its lesson or the computer's opening move is said alone there, and is heard even while
// the messages are hidden), to the row the computer took from while the messages are hidden (or,
// for a new game, the highest row played), and with Up and Down from part to part. Screen readers
// speak a part when the focus comes to it; they do not speak a part whose name changes under the
// focus. So each part has a twin, and a part told again hands its place in the tree to its twin
// and the focus with it; a reader that comes late to a focus the board has since moved on from
// finds that part out of the tree and skips it. The board itself is named only "Board": its
// parts say what it shows.
#include "view/board_accessible.h"
#include "framework/translation.h"
#include "text/translation.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <array>
#include <vector>

#include "engine/turn_texts.h"
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
    if (const int32_t taken = view.turn.sticksTaken; taken > 0 && view.turn.selectedRow == row) {
        // Translators: the row, its sticks ("7 sticks"), and how many of them are picked up.
        return QString::fromStdString(
            text::Fill(text::TrN("Row %1: %2, %3 selected", "Row %1: %2, %3 selected", taken),
                       {row, engine::SticksText(sticks), taken}));
    }
    return QString::fromStdString(
        text::Fill(text::TrN("Row %1: %2 stick", "Row %1: %2 sticks", sticks), {row, sticks}));
}

// The two message lines as sentences: a line that ends without a stop gets one, so that a reader
// pauses between "The computer took 2 sticks from row 1" and the prompt after it.
QString Sentences(const game::TurnState& turn) {
    std::vector<std::string> sentences;
    for (const std::string* line : {&turn.messageLine1, &turn.messageLine2}) {
        const QString sentence = QString::fromStdString(*line).trimmed();
        if (sentence.isEmpty()) {
            continue;
        }
        // Translators: a message line said as a sentence, with the full stop it lacks.
        sentences.push_back(sentence.back().isPunct()
                                ? sentence.toStdString()
                                : text::Fill(text::Tr("%1."), {sentence.toStdString()}));
    }
    return QString::fromStdString(text::Sentences(sentences));
}

// What the message area says: the hint, its lesson or the opening move alone while it stands, else
// the message lines (while they show, or `always`: a hidden area keeps its lines for a reader
// that asks).
QString MessageText(const CTorvelView& view, bool always) {
    const QString advice = view.CurrentAdvice();
    if (!advice.isEmpty()) {
        return advice;
    }
    return always || view.turn.showMessages ? Sentences(view.turn) : QString();
}

class BoardInterface;

// The message area, one row or the Play button; one of two twins.
class BoardPart : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    BoardPart(CTorvelView* board, const BoardInterface& tree, int partNumber)
        : view(board), owner(tree), part(partNumber) {}

    bool isValid() const override {
        return !view.isNull() && view->GetDocument() != nullptr &&
               (part < kFirstRowPart || part >= kPlayPart || part - kFirstRowPart < RowsOf(*view));
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

    // A twin out of the tree has no name, so that a reader never takes it for the one in it.
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}

    // Where the part is drawn, at the board's size.
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect local = view->ClientRect(view->PartRect(part));
        return QRect(view->mapToGlobal(local.topLeft()), local.size());
    }
    // The message area is an item of the board as the rows are, so that a reader says its text
    // alone.
    QAccessible::Role role() const override {
        return part == kPlayPart ? QAccessible::Button : QAccessible::ListItem;
    }
    QAccessible::State state() const override;

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface && part != kMessagesPart
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }
    // Pressing a row selects one more stick of it and decreasing it puts one back; pressing Play
    // plays.
    QStringList actionNames() const override {
        if (part == kMessagesPart) {
            return {};
        }
        return part == kPlayPart ? QStringList{pressAction()}
                                 : QStringList{pressAction(), decreaseAction()};
    }
    void doAction(const QString& action) override {
        if (!isValid()) {
            return;
        }
        if (part == kPlayPart && action == pressAction()) {
            view->ClickPlay();
        } else if (part != kMessagesPart && action == pressAction()) {
            view->ClickRow(Row());
        } else if (part != kMessagesPart && action == decreaseAction()) {
            view->RightClickRow(Row());
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (part == kPlayPart && action == pressAction()) {
            return {QStringLiteral("Return")};
        }
        if (part == kMessagesPart || part == kPlayPart) {
            return {};
        }
        if (action == pressAction()) {
            return {QString::number(Row())};
        }
        return action == decreaseAction() ? QStringList{QStringLiteral("BackSpace")}
                                          : QStringList{};
    }

    int Part() const { return part; }

  private:
    int32_t Row() const { return part - kFirstRowPart; }

    QPointer<CTorvelView> view;
    const BoardInterface& owner;
    int part;
};

class BoardInterface : public QAccessibleWidget {
  public:
    explicit BoardInterface(CTorvelView* board)
        : QAccessibleWidget(board, QAccessible::Client), view(board) {
        for (size_t twin = 0; twin < 2; ++twin) {
            for (int part = 0; part < kBoardParts; ++part) {
                auto* made = new BoardPart(board, *this, part);
                twins[twin][static_cast<size_t>(part)] = made;
                ids[twin][static_cast<size_t>(part)] =
                    QAccessible::registerAccessibleInterface(made);
            }
        }
        Remember();
    }
    ~BoardInterface() override {
        for (const auto& twin : ids) {
            for (QAccessible::Id id : twin) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    // The message area, the rows from the top down, the button.
    int childCount() const override { return view.isNull() ? 0 : RowsOf(*view) + 2; }
    QAccessibleInterface* child(int i) const override {
        return i >= 0 && i < childCount() ? Shown(PartAt(i)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* wanted) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i) == wanted) {
                return i;
            }
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return current != nullptr && HasFocus(current) ? current : QAccessibleWidget::focusChild();
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return framework::QTr("Board");
        }
        return QAccessibleWidget::text(t);
    }

    bool HasFocus(const BoardPart* part) const {
        return part == current && !view.isNull() && view->hasFocus();
    }
    bool InTree(const BoardPart* part) const { return Shown(part->Part()) == part; }

    // Moves the focus to the part that says what changed since the last call, and tells of every
    // name, selection, number of rows and message that changed.
    void Announce(bool messagesAgain) {
        if (view.isNull() || view->GetDocument() == nullptr) {
            return;
        }
        const int32_t rows = RowsOf(*view);
        const game::TurnState& turn = view->turn;
        if (childCount() != toldChildren) {
            QAccessibleEvent event(view.data(), QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&event);
        }
        std::vector<int> renamed;
        for (int part = 0; part < kBoardParts; ++part) {
            if (Shown(part)->text(QAccessible::Name) != told[static_cast<size_t>(part)]) {
                QAccessibleEvent event(Shown(part), QAccessible::NameChanged);
                QAccessible::updateAccessibility(&event);
                renamed.push_back(part);
            }
        }
        const int32_t toldSelected = toldTaken > 0 ? toldRow : -1;
        const int32_t selected = turn.sticksTaken > 0 ? turn.selectedRow : -1;
        for (int32_t row : {toldSelected, selected}) {
            if (row >= 0 && toldSelected != selected) {
                QAccessibleEvent event(
                    Shown(kFirstRowPart + row),
                    selected == row ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
                QAccessible::updateAccessibility(&event);
            }
        }
        const int32_t toldTakenBefore = toldTaken;
        const int32_t toldRowBefore = toldRow;
        const QString news = News();
        const bool newsChanged = news != toldNews;
        const bool rowsChanged = rows != toldChildren - 2;
        Remember();
        if (messagesAgain && !news.isEmpty()) {
            Say(kMessagesPart);
        } else if (turn.sticksTaken != toldTakenBefore ||
                   (turn.sticksTaken > 0 && turn.selectedRow != toldRowBefore)) {
            Say(kFirstRowPart + (turn.sticksTaken > 0 ? turn.selectedRow : toldRowBefore));
        } else if (newsChanged && !news.isEmpty()) {
            Say(kMessagesPart);
        } else {
            // One row changed: the computer's move while the messages are hidden. More rows, or
            // a message area gone blank under the focus: a new game, which the highest row the
            // computer has taken from tells best.
            std::erase_if(renamed,
                          [](int part) { return part < kFirstRowPart || part >= kPlayPart; });
            if (renamed.size() == 1 && !rowsChanged) {
                Say(renamed.front());
            } else if (!renamed.empty() || rowsChanged ||
                       (newsChanged && current == Shown(kMessagesPart))) {
                Say(kFirstRowPart + HighestRowPlayed(rows));
            }
        }
    }

    // Gives the part the focus, as the keyboard's place moved there.
    void Focus(int part) {
        if (Shown(part) != current) {
            Say(part);
        }
    }

  private:
    BoardPart* Shown(int part) const {
        return twins[shown[static_cast<size_t>(part)]][static_cast<size_t>(part)];
    }
    int PartAt(int i) const {
        const int rows = childCount() - 2;
        return i == 0 ? kMessagesPart : i <= rows ? kFirstRowPart + rows - i : kPlayPart;
    }
    // The highest row that has lost sticks since the game began, or the top row if none has.
    int32_t HighestRowPlayed(int32_t rows) const {
        const game::CTorvelDoc& document = *view->GetDocument();
        const std::vector<int32_t>& start = document.record.start;
        for (int32_t row = rows - 1; row >= 0; --row) {
            const size_t at = static_cast<size_t>(row);
            if (document.engine.GetSticks(row) !=
                (at < start.size() ? start[at] : engine::StartingSticks(row))) {
                return row;
            }
        }
        return rows - 1;
    }
    // What the message area says, and only while it shows.
    QString News() const { return view.isNull() ? QString() : MessageText(*view, false); }
    // Gives the part the focus; a part that has it already hands its place to its twin first.
    void Say(int part) {
        if (!Shown(part)->isValid()) {
            return;
        }
        if (Shown(part) == current) {
            shown[static_cast<size_t>(part)] ^= 1;
        }
        current = Shown(part);
        view->FollowReader(part);
        if (view->isActiveWindow()) {
            QAccessibleEvent event(current, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        }
    }
    void Remember() {
        for (int part = 0; part < kBoardParts; ++part) {
            told[static_cast<size_t>(part)] = Shown(part)->text(QAccessible::Name);
        }
        toldChildren = childCount();
        toldNews = News();
        toldRow = view->turn.selectedRow;
        toldTaken = view->turn.sticksTaken;
    }

    QPointer<CTorvelView> view;
    std::array<std::array<BoardPart*, kBoardParts>, 2> twins{};
    std::array<std::array<QAccessible::Id, kBoardParts>, 2> ids{};
    std::array<size_t, kBoardParts> shown{};
    BoardPart* current = nullptr;
    std::array<QString, kBoardParts> told;
    int toldChildren = 0;
    QString toldNews;
    int32_t toldRow = 0;
    int32_t toldTaken = 0;
};

QString BoardPart::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid() || !owner.InTree(this)) {
        return {};
    }
    if (part == kMessagesPart) {
        return MessageText(*view, true);
    }
    return part == kPlayPart ? framework::QTr("Play") : RowName(*view, Row());
}

QAccessible::State BoardPart::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.readOnly = part == kMessagesPart;
    state.invisible = !owner.InTree(this) || (part == kMessagesPart && !view->turn.showMessages &&
                                              view->CurrentAdvice().isEmpty());
    state.focusable = true;
    state.focused = owner.HasFocus(this);
    state.selectable = part != kMessagesPart && part != kPlayPart;
    state.selected = state.selectable && view->turn.sticksTaken > 0 &&
                     view->turn.selectedRow == part - kFirstRowPart;
    return state;
}

BoardInterface* BoardOf(CTorvelView& view) {
    return dynamic_cast<BoardInterface*>(QAccessible::queryAccessibleInterface(&view));
}

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

void AnnounceBoardChanges(CTorvelView& view, bool messagesAgain) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (BoardInterface* board = BoardOf(view)) {
        board->Announce(messagesAgain);
    }
}

void AnswerScreenReaders() {
    // Their questions arrive as queued calls; input, painting and timers wait for the search.
    if (QAccessible::isActive()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
}

int NextBoardPart(const CTorvelView& view, int from, int direction) {
    std::vector<int> order;  // from the top; the message area while it says something
    if (!MessageText(view, false).isEmpty()) {
        order.push_back(kMessagesPart);
    }
    for (int32_t row = RowsOf(view) - 1; row >= 0; --row) {
        order.push_back(kFirstRowPart + row);
    }
    order.push_back(kPlayPart);
    const auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end()) {
        return direction > 0 ? order.front() : order.back();
    }
    const auto next = std::clamp<ptrdiff_t>(at - order.begin() + direction, 0,
                                            static_cast<ptrdiff_t>(order.size()) - 1);
    return order[static_cast<size_t>(next)];
}

bool OnBoard(const CTorvelView& view, int part) {
    return part == kMessagesPart || part == kPlayPart ||
           (part >= kFirstRowPart && part < kFirstRowPart + RowsOf(view));
}

void FocusBoardPart(CTorvelView& view, int part) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (BoardInterface* board = BoardOf(view)) {
        board->Focus(part);
    }
}

}  // namespace view
