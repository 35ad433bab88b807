#include "document/DepthPopup.h"

#include "common/ScreenTwips.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace brellix {

DepthPopup::DepthPopup(QPlainTextEdit& box, QTimer& timer, QWidget& picture)
    : m_box(box), m_timer(timer), m_picture(picture)
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    m_box.setPalette(palette);
    m_box.setFont(QToolTip::font());
    m_box.setFrameShape(QFrame::Box);
    m_box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box.setLineWrapMode(QPlainTextEdit::NoWrap);
    // The box only shows: the mouse and the keys stay the chart's.
    m_box.setAttribute(Qt::WA_TransparentForMouseEvents);
    m_box.setFocusPolicy(Qt::NoFocus);
}

QSize DepthPopup::textSize(const QString& text) const
{
    const QFontMetrics metrics(m_box.font());
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    const QSize extent = metrics.boundingRect(QRect(), Qt::TextExpandTabs, lines).size();
    const int margins =
        2 * (m_box.frameWidth() + static_cast<int>(std::ceil(m_box.document()->documentMargin())));
    return extent + QSize(margins + 2, margins + 2);
}

void DepthPopup::arm(const QString& readout, int32_t widthTwips, int32_t heightTwips, int32_t x,
                     int32_t y, double twipsPerPixelX, double twipsPerPixelY)
{
    // The sizes fit the lines in a small system font; a larger font grows the box to its text
    // rather than cutting lines off.
    const QSize needed = textSize(readout);
    const int width = std::max(twipsToPixels(widthTwips, twipsPerPixelX), needed.width());
    const int height = std::max(twipsToPixels(heightTwips, twipsPerPixelY), needed.height());
    const QRect picture = m_picture.geometry();
    const int atX = twipsToPixels(x, twipsPerPixelX);
    const int atY = twipsToPixels(y, twipsPerPixelY);
    const int left =
        atX < picture.width() / 2 ? picture.left() + atX + 10 : picture.left() + atX - 10 - width;
    const int top =
        atY <= picture.height() / 2 ? picture.top() + atY : picture.top() + atY - height;
    const QRect place(left, top, width, height);
    if (m_box.geometry() == place) {
        return;
    }
    hide();
    m_box.setGeometry(place);
    m_box.setPlainText(readout);
    m_timer.start();
}

void DepthPopup::hide()
{
    m_box.hide();
    m_timer.stop();
    if (QWidget::mouseGrabber() == &m_picture) {
        m_picture.releaseMouse();
    }
}

void DepthPopup::showNow()
{
    m_timer.stop();
    m_box.show();
    m_box.raise();
    if (QWidget::mouseGrabber() == nullptr) {
        m_picture.grabMouse();
    }
}

} // namespace brellix
