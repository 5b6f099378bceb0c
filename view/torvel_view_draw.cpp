// Drawing the board. The whole client area is composed in an off-screen image (white
// background, the rows, the selected sticks, the Play button, the message lines, later parts
// over earlier ones) and copied onto the target in one drawImage, so the window never shows a
// half-drawn board. The image has the target's pixel ratio: on a high-density screen the board
// keeps its geometry in logical pixels and the text stays sharp. Printing draws the same image
// at the page's top-left corner.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "view/board_geometry.h"
#include "view/stick_shading.h"
#include "view/torvel_view.h"

namespace view {

namespace {

// One line of text with its top-left corner at (x, y), black on an opaque white background.
void DrawTextLine(QPainter& surface, int32_t x, int32_t y, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(surface.font(), surface.device());
    surface.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), Qt::white);
    surface.setPen(Qt::black);
    surface.drawText(QPoint(x, y + metrics.ascent()), text);
}

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void CTorvelView::OnDraw(QPainter& target) {
    board.clientRect = Rect{0, 0, width(), height()};
    const game::CTorvelDoc* document = GetDocument();
    const int32_t rows =
        document != nullptr ? std::clamp(document->engine.GetRowCount(), 0, engine::kMostRows) : 0;
    for (int32_t r = 0; r < rows; ++r) {
        board.rowSticks[static_cast<size_t>(r)] = document->engine.GetSticks(r);
    }
    const BoardGeometry geometry(rows);
    board.playButtonRect = geometry.PlayButton(board.clientRect.bottom);
    if (board.clientRect.Width() <= 0 || board.clientRect.Height() <= 0) {
        return;
    }

    QPaintDevice* device = target.device();
    const qreal ratio = device != nullptr ? device->devicePixelRatioF() : 1.0;
    QImage canvas(QSize(board.clientRect.Width(), board.clientRect.Height()) * ratio,
                  QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    if (device != nullptr) {
        // Text in the image has the size it would have on the target.
        canvas.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
        canvas.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
    }
    QPainter surface(&canvas);
    surface.setFont(font());
    surface.fillRect(QRect(0, 0, board.clientRect.Width(), board.clientRect.Height()), Qt::white);

    const int32_t length = geometry.StickLength();
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t sticks = board.rowSticks[static_cast<size_t>(r)];
        const int32_t top = geometry.RowTop(r);
        for (int32_t place = 0; place < sticks; ++place) {
            // The selected sticks leave gaps at the left end of their row; the rest stay put.
            if (r == turn.selectedRow && place < turn.sticksTaken) {
                continue;
            }
            DrawStick(surface, geometry.StickLeft(place, sticks), top, length);
        }
    }
    for (int32_t place = 0; place < turn.sticksTaken; ++place) {
        DrawStick(surface, geometry.SelectedStickLeft(place), geometry.RowTop(turn.selectedRow),
                  length);
    }
    DrawPlayButton(surface, board.playButtonRect, QStringLiteral("Play"));
    if (turn.showMessages) {
        DrawTextLine(surface, 0, 0, Latin1(turn.messageLine1));
        DrawTextLine(surface, 0, 15, Latin1(turn.messageLine2));
    }
    surface.end();
    target.drawImage(QPoint(0, 0), canvas);
}

void CTorvelView::DrawStick(QPainter& surface, int32_t x, int32_t y, int32_t length) {
    const int32_t width = length / 7;
    for (int32_t column = 0; column < width; ++column) {
        for (int32_t row = 0; row < length; ++row) {
            const Rgb pixel = StickPixel(column, row, length);
            surface.fillRect(QRect(x + column, y + row, 1, 1),
                             QColor(pixel.red, pixel.green, pixel.blue));
        }
    }
}

void CTorvelView::DrawPlayButton(QPainter& surface, const Rect& rect, const QString& text) {
    const QRect area(rect.left, rect.top, rect.Width(), rect.Height());
    surface.fillRect(area, Qt::white);
    // A one-pixel outline along the inside of the rectangle.
    surface.fillRect(QRect(area.left(), area.top(), area.width(), 1), Qt::black);
    surface.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), Qt::black);
    surface.fillRect(QRect(area.left(), area.top(), 1, area.height()), Qt::black);
    surface.fillRect(QRect(area.right(), area.top(), 1, area.height()), Qt::black);
    DrawTextLine(surface, rect.left + 14, (rect.top + rect.bottom) / 2 - 7, text);
}

}  // namespace view
