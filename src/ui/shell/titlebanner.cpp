#include "shell/titlebanner.h"

#include "platform/programfiles.h"
#include "platform/units.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// The box is measured for a text two digits longer, in a smaller font than
// the title is drawn in, so the title always fits.
const QString measuredText = u"Kelm200211"_s;
constexpr double measuringPoints = 34;
constexpr double titlePoints = 36;
constexpr int titleHeight = 720;
constexpr unsigned int titleColour = 0x0080FFFF;
constexpr unsigned int frameGrey = 0x00808080;

// numerator / denominator to the nearest whole number, halves to the even
// one; denominator > 0.
long long roundHalfEven(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

int pixels(int twips) { return int(std::lround(double(twips) / twipsPerPixel)); }

} // namespace

TitlePlacement placeTitle(int pictureWidth, int pictureHeight, int titleWidth)
{
    return {int(roundHalfEven(static_cast<long long>(pictureWidth) - titleWidth, 2)),
            int(roundHalfEven(static_cast<long long>(pictureHeight) * 35, 100)), titleWidth};
}

TitleBanner::TitleBanner(QWidget *parent)
    : QWidget(parent), m_picture(new QWidget(this)), m_image(new QLabel(m_picture)),
      m_title(new QLabel(m_picture))
{
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, vbColor(frameGrey));
    setPalette(grey);

    m_image->setScaledContents(true);
    m_image->setPixmap(QPixmap(programFile(u"picture/banner.jpg"_s)));
    m_image->setAccessibleName(u"Kelm"_s);

    m_title->setFont(songti(titlePoints, true));
    m_title->setWordWrap(true);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette yellow = m_title->palette();
    yellow.setColor(QPalette::WindowText, vbColor(titleColour));
    m_title->setPalette(yellow);
}

void TitleBanner::layOut(int frameWidth)
{
    // The picture box is as wide as the frame's outer width, a little wider
    // than the client area; what lies beyond the right edge is not seen.
    m_picture->setGeometry(0, 0, frameWidth, height());
    m_image->setGeometry(m_picture->rect());

    const int measured = QFontMetrics(songti(measuringPoints, true)).horizontalAdvance(measuredText) * twipsPerPixel;
    const TitlePlacement at = placeTitle(frameWidth * twipsPerPixel, height() * twipsPerPixel, measured);
    m_title->setGeometry(pixels(at.left), pixels(at.top), pixels(at.width), pixels(titleHeight));
    m_title->setText(u"Kelm2002"_s);
}

void TitleBanner::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut(window()->frameGeometry().width());
}

} // namespace kelm
