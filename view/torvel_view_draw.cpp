// Drawing the board. The whole board is composed in an off-screen image (white background, the
// rows, the selected sticks, the Play button, the message lines and, after a second H, the hint's
// lesson, later parts over earlier ones, and last the mark of the keyboard's place) and copied
// onto the target in one drawImage, so the window never shows a half-drawn board. The image has
// the target's pixel ratio times the zoom: the board keeps its geometry in its own pixels and is
// drawn at the size they come to, sharp on a high-density screen and at every zoom. Printing
// draws the same image, at 100 % and with no mark, at the page's top-left corner.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "framework/translation.h"
#include "view/board_accessible.h"
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

// Draws in whole device pixels for as long as it lives: a logical place x lands on device pixel
// round(x r), and one logical pixel of width is round(r) device pixels wherever it lies, so at a
// ratio such as 1.25 or 1.5 no line comes out thicker on one side than on the other and no
// column of a stick wider than its neighbours. At ratios 1 and 2 that is the logical drawing.
class DevicePixels {
  public:
    explicit DevicePixels(QPainter& painter)
        : surface(painter),
          ratio(painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0) {
        surface.save();
        surface.scale(1.0 / ratio, 1.0 / ratio);
    }
    ~DevicePixels() { surface.restore(); }
    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;

    int32_t At(int32_t logical) const { return qRound(logical * ratio); }
    int32_t Unit() const { return std::max(1, qRound(ratio)); }
    // The logical row, of `count`, that device row `row` (from the top edge) shows.
    int32_t Logical(int32_t row, int32_t count) const {
        return std::min(count - 1, static_cast<int32_t>((row + 0.5) / ratio));
    }

  private:
    QPainter& surface;
    qreal ratio;
};

// A focus frame in the palette's highlight, darkened where it would stand out from the white
// board by less than 3:1.
QColor FocusColour(QColor colour) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](qreal v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    while (1.05 / (luminance(colour) + 0.05) < 3.0) {
        colour = colour.darker(120);
    }
    return colour;
}

}  // namespace

QRect CTorvelView::PartRect(int part) const {
    const int32_t rows = GetDocument() != nullptr ? GetDocument()->engine.GetRowCount() : 0;
    if (part == kPlayPart) {
        const Rect& button = board.playButtonRect;
        return QRect(button.left, button.top, button.Width(), button.Height());
    }
    if (part <= kMessagesPart || part >= kFirstRowPart + rows) {
        return QRect(0, 0, board.clientRect.Width(), 30);
    }
    const BoardGeometry geometry = Geometry();
    const int32_t row = part - kFirstRowPart;
    const int32_t sticks = GetDocument()->engine.GetSticks(row);
    const int32_t left = geometry.StickLeft(0, sticks);
    int32_t right = geometry.StickLeft(sticks, sticks);
    if (turn.sticksTaken > 0 && turn.selectedRow == row) {
        right = geometry.SelectedStickLeft(turn.sticksTaken);
    }
    return QRect(left, geometry.RowTop(row), right - left, geometry.StickLength());
}

void CTorvelView::OnDraw(QPainter& target) {
    // The board in its own pixels: what the view's drawing comes to at 100 %.
    const QSize content = ContentSize();
    board.clientRect =
        Rect{0, 0, content.width() * 100 / zoomPercent, content.height() * 100 / zoomPercent};
    const game::CTorvelDoc* document = GetDocument();
    const int32_t rows =
        document != nullptr ? std::clamp(document->engine.GetRowCount(), 0, engine::kMostRows) : 0;
    for (int32_t r = 0; r < rows; ++r) {
        board.rowSticks[static_cast<size_t>(r)] = document->engine.GetSticks(r);
    }
    const BoardGeometry geometry = Geometry();
    board.playButtonRect = geometry.PlayButton(board.clientRect.bottom);
    if (board.clientRect.Width() <= 0 || board.clientRect.Height() <= 0) {
        return;
    }

    QPaintDevice* device = target.device();
    const qreal ratio = device != nullptr ? device->devicePixelRatioF() : 1.0;
    const qreal zoom = printing ? 1.0 : zoomPercent / 100.0;
    const QSize onTarget =
        printing ? QSize(board.clientRect.Width(), board.clientRect.Height()) : content;
    QImage canvas(onTarget * ratio, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    canvas.setDevicePixelRatio(ratio * zoom);
    if (device != nullptr) {
        // Text in the image has the size it would have on the target.
        canvas.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
        canvas.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
    }
    QPainter surface(&canvas);
    surface.setFont(font());

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
    // Translators: the board's own button, 60 pixels wide: one short word.
    DrawPlayButton(surface, board.playButtonRect, framework::QTr("Play"));
    if (turn.showMessages) {
        // The message lines are UTF-8, as every text of the catalogues is.
        DrawTextLine(surface, 0, 0, QString::fromStdString(turn.messageLine1));
        DrawTextLine(surface, 0, 15, QString::fromStdString(turn.messageLine2));
    }
    if (const QString lesson = CurrentLesson(); !lesson.isEmpty()) {
        // Wrapped to the free area, and cut at its edges should it ever not fit.
        const Rect area = geometry.LessonArea(board.clientRect.bottom,
                                              QFontMetrics(surface.font(), &canvas).height());
        const QRect free(area.left, area.top, area.Width(), area.Height());
        surface.save();
        surface.setClipRect(free);
        surface.setPen(Qt::black);
        surface.drawText(free, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lesson);
        surface.restore();
    }
    if (keyPlaceMarked && !printing && OnBoard(*this, keyPart)) {
        // As the desktop marks the focus: a frame around the part, two of the board's pixels.
        const QRect part = PartRect(keyPart).adjusted(-4, -4, 4, 4);
        surface.setPen(QPen(FocusColour(palette().color(QPalette::Highlight)), 2));
        surface.setBrush(Qt::NoBrush);
        surface.drawRect(QRectF(part).adjusted(1, 1, -1, -1));
    }
    surface.end();
    canvas.setDevicePixelRatio(ratio);  // the board's size on the target, zoom included
    target.drawImage(printing ? QPoint(0, 0) : -ScrollPosition(), canvas);
}

void CTorvelView::DrawStick(QPainter& surface, int32_t x, int32_t y, int32_t length) {
    const DevicePixels device(surface);
    const int32_t left = device.At(x);
    const int32_t top = device.At(y);
    const int32_t height = device.At(y + length) - top;
    const int32_t unit = device.Unit();
    // Each column runs from the tip down in three bands of one colour: one rectangle each.
    auto colour = [&](int32_t column, int32_t row) {
        const Rgb pixel = StickPixel(column, device.Logical(row, length), length);
        return QColor(pixel.red, pixel.green, pixel.blue);
    };
    for (int32_t column = 0; column < length / 7; ++column) {
        int32_t start = 0;
        for (int32_t row = 1; row <= height; ++row) {
            if (row == height || colour(column, row) != colour(column, start)) {
                surface.fillRect(QRect(left + column * unit, top + start, unit, row - start),
                                 colour(column, start));
                start = row;
            }
        }
    }
}

void CTorvelView::DrawPlayButton(QPainter& surface, const Rect& rect, const QString& text) {
    {
        // A one-pixel outline along the inside of the rectangle, as thick on every side.
        const DevicePixels device(surface);
        const QRect area(QPoint(device.At(rect.left), device.At(rect.top)),
                         QPoint(device.At(rect.right) - 1, device.At(rect.bottom) - 1));
        const int32_t unit = device.Unit();
        surface.fillRect(area, Qt::white);
        surface.fillRect(QRect(area.left(), area.top(), area.width(), unit), Qt::black);
        surface.fillRect(QRect(area.left(), area.bottom() + 1 - unit, area.width(), unit),
                         Qt::black);
        surface.fillRect(QRect(area.left(), area.top(), unit, area.height()), Qt::black);
        surface.fillRect(QRect(area.right() + 1 - unit, area.top(), unit, area.height()),
                         Qt::black);
    }
    DrawTextLine(surface, rect.left + 14, (rect.top + rect.bottom) / 2 - 7, text);
}

}  // namespace view
