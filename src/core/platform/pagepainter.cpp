#include "platform/pagepainter.h"

#include "platform/units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kelm::report {

namespace {

struct DeviceFont {
    QFont font;
    double ascent = 0;
    // Bold asked of a family without a bold face: struck twice, this far
    // apart, since a PDF or printer would otherwise show it regular.
    double overstrike = 0;
};

bool hasBoldFace(const QString &family)
{
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(),
                       [&](const QString &style) { return QFontDatabase::weight(family, style) >= QFont::Bold; });
}

// Fonts of one page at one resolution; one em is 20 twips a point.
class FontCache {
public:
    explicit FontCache(double scale) : m_scale(scale) { }

    const DeviceFont &get(double pointSize, bool bold)
    {
        const int key = int(std::lround(pointSize * 100)) * 2 + (bold ? 1 : 0);
        auto it = m_fonts.find(key);
        if (it == m_fonts.end()) {
            QFont f = songti(pointSize, bold);
            const int pixels = std::max(1, int(std::lround(pointSize * 20 * m_scale)));
            f.setPixelSize(pixels);
            double overstrike = 0;
            if (bold && !hasBoldFace(QFontInfo(f).family())) {
                f.setBold(false);
                overstrike = std::max(1.0, pixels * 0.04);
            }
            it = m_fonts.insert(key, DeviceFont{f, QFontMetricsF(f).ascent(), overstrike});
        }
        return it.value();
    }

private:
    double m_scale;
    QHash<int, DeviceFont> m_fonts;
};

} // namespace

void paintPage(QPainter &painter, const Page &page, double dotsPerInch)
{
    const double s = dotsPerInch / 1440.0;
    FontCache fonts(s);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const double penWidth = std::max(1.0, twipsPerPixel * s);
    const QPen solid(Qt::black, penWidth, Qt::SolidLine, Qt::FlatCap);
    const QPen dotted(Qt::black, penWidth, Qt::DotLine, Qt::FlatCap);
    for (const PageItem &item : page.items) {
        const QRectF box(item.left * s, item.top * s, item.width * s, item.height * s);
        switch (item.kind) {
        case ItemKind::Label:
        case ItemKind::Field: {
            const DeviceFont &f = fonts.get(item.pointSize, item.bold);
            painter.setPen(solid);
            painter.setFont(f.font);
            const QString &t = item.text;
            for (qsizetype i = 0; i < t.size(); ++i) {
                const qsizetype len = t[i].isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
                if (!t[i].isSpace()) {
                    const QPointF at((item.left + gridOffsetTwips(t, i, item.pointSize)) * s, box.top() + f.ascent);
                    painter.drawText(at, t.mid(i, len));
                    if (f.overstrike > 0)
                        painter.drawText(at + QPointF(f.overstrike, 0), t.mid(i, len));
                }
                i += len - 1;
            }
            break;
        }
        case ItemKind::Line:
            painter.setPen(item.style == LineStyle::Dotted ? dotted : solid);
            painter.drawLine(box.topLeft(), box.bottomRight());
            break;
        case ItemKind::Box:
            if (item.filled) {
                painter.fillRect(box, Qt::black);
            } else {
                painter.setPen(item.style == LineStyle::Dotted ? dotted : solid);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box);
            }
            break;
        }
    }
    painter.restore();
}

} // namespace kelm::report
