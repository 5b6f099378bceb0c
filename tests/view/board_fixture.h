// A document and its board view without a frame, in a private working directory, and the
// board rendered into an image the size of the view.
#pragma once

#include <QImage>
#include <QPainter>

#include "game/torvel_doc.h"
#include "support/temp_dir.h"
#include "view/torvel_view.h"

namespace testsupport {

class BoardFixture {
  public:
    explicit BoardFixture(int width = 640, int height = 480) {
        document.AddView(&view);
        view.resize(width, height);
    }

    // What OnDraw puts on a surface the size of the view, at the given pixel ratio.
    QImage Render(qreal ratio = 1.0) {
        QImage image(view.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        view.OnDraw(painter);
        painter.end();
        return image;
    }

    void SetRows(std::vector<int32_t> rows) { document.engine.SetRows(std::move(rows)); }

    TempDir workDir;
    game::CTorvelDoc document;
    view::CTorvelView view;
};

}  // namespace testsupport
