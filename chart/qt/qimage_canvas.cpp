#include "chart/qt/qimage_canvas.h"

#include <cmath>
#include <stdexcept>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

#include "common/text.h"

namespace korv {

namespace {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QString toQString(std::string_view cp1251) { return QString::fromStdString(cp1251ToUtf8(cp1251)); }

QFont toQFont(const Font& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(FontPixelSize(font.size));
    f.setBold(font.bold);
    return f;
}

// A painter set up with the canvas's pen and brush. Figures take their bounding box
// with the right and bottom edges excluded; QPainter's outline of a w x h rectangle
// covers w + 1 pixels, so an outlined figure is drawn one pixel smaller.
class StatePainter : public QPainter {
public:
    StatePainter(QImage* image, const Canvas& canvas) : QPainter(image) {
        setRenderHint(QPainter::Antialiasing, false);
        setRenderHint(QPainter::TextAntialiasing, true);
        const Pen& pen = canvas.pen();
        if (pen.style == PenStyle::Clear) {
            setPen(Qt::NoPen);
        } else {
            QPen p(toQColor(pen.colour));
            p.setWidth(pen.width);
            p.setCapStyle(Qt::RoundCap);
            p.setJoinStyle(Qt::RoundJoin);
            setPen(p);
        }
        const Brush& brush = canvas.brush();
        if (brush.style == BrushStyle::Clear)
            setBrush(Qt::NoBrush);
        else
            setBrush(toQColor(brush.colour));
        outlined_ = pen.style != PenStyle::Clear;
    }
    QRect box(int x1, int y1, int x2, int y2) const {
        const int shrink = outlined_ ? 1 : 0;
        return QRect(x1, y1, x2 - x1 - shrink, y2 - y1 - shrink);
    }

private:
    bool outlined_ = true;
};

}  // namespace

int FontPixelSize(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QImageCanvas::QImageCanvas(QImage& image) : image_(&image) {}

QImageCanvas::QImageCanvas(int width, int height)
    : own_(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32), image_(&own_) {
    own_.fill(Qt::white);
}

void QImageCanvas::rectangle(int x1, int y1, int x2, int y2) {
    StatePainter p(image_, *this);
    p.drawRect(p.box(x1, y1, x2, y2));
}

void QImageCanvas::ellipse(int x1, int y1, int x2, int y2) {
    StatePainter p(image_, *this);
    p.drawEllipse(p.box(x1, y1, x2, y2));
}

void QImageCanvas::line(int x1, int y1, int x2, int y2) {
    StatePainter p(image_, *this);
    p.drawLine(x1, y1, x2, y2);
}

void QImageCanvas::text(int x, int y, std::string_view cp1251) {
    QPainter p(image_);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QFont f = toQFont(font());
    p.setFont(f);
    p.setPen(toQColor(font().colour));
    p.drawText(x, y + QFontMetrics(f, image_).ascent(), toQString(cp1251));
}

TextSize QImageCanvas::textExtent(std::string_view cp1251) const {
    const QFontMetrics fm(toQFont(font()), image_);
    return {fm.horizontalAdvance(toQString(cp1251)), fm.height()};
}

std::unique_ptr<Canvas> QImageCanvas::createBitmap(int width, int height) const {
    return std::make_unique<QImageCanvas>(width, height);
}

void QImageCanvas::copyBitmap(const Canvas& bitmap, int x, int y, int mode) {
    const auto* source = dynamic_cast<const QImageCanvas*>(&bitmap);
    if (!source) throw std::logic_error("QImageCanvas::copyBitmap: the bitmap is not a QImageCanvas");
    QPainter p(image_);
    p.setCompositionMode(mode == kCopyAnd ? QPainter::RasterOp_SourceAndDestination
                                          : QPainter::CompositionMode_Source);
    p.drawImage(x, y, source->image());
}

}  // namespace korv
