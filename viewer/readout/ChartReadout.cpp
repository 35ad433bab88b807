#include "ChartReadout.h"

#include "common/Rounding.h"
#include "logs/tSonarFile.h"
#include "logs/tSubHeader.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <cstdlib>

namespace brellix {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kDegree = QChar(0xB0);

// One line of a position: hemisphere letter, degrees padded to `width` characters, then the
// rest in the position format.
QString coordinateLine(double value, QChar positive, QChar negative, int width,
                       int32_t positionFormat)
{
    const QChar hemisphere = value >= 0 ? positive : negative;
    const double a = std::fabs(value);
    if (positionFormat == 0) {
        return QString(hemisphere) + QLatin1Char(' ') + QString::number(a, 'f', 8) + kDegree;
    }
    auto degrees = static_cast<int64_t>(a);
    double minutes = (a - static_cast<double>(degrees)) * 60.0;
    auto wholeMinutes = static_cast<int64_t>(minutes);
    double seconds = (minutes - static_cast<double>(wholeMinutes)) * 60.0;
    // Rounding up to the next unit carries: 59.9999999 degrees shows as 60 degrees 0 minutes.
    if (roundHalfEven(seconds * 10.0) == 600.0) {
        seconds = 0;
        ++wholeMinutes;
    }
    if (roundHalfEven(minutes * 1000.0) == 60000.0 || wholeMinutes == 60) {
        minutes = 0;
        wholeMinutes = 0;
        ++degrees;
    }
    QString line = QString(hemisphere) + QLatin1Char(' ') +
                   QString::number(degrees).rightJustified(width, QLatin1Char(' ')) + kDegree;
    if (positionFormat == 1) {
        return line + QStringLiteral("%1'").arg(minutes, 6, 'f', 3, QLatin1Char('0'));
    }
    return line + QStringLiteral("%1'%2\"")
                      .arg(wholeMinutes, 2, 10, QLatin1Char('0'))
                      .arg(seconds, 4, 'f', 1, QLatin1Char('0'));
}

QString metresLine(const char* axis, int32_t value)
{
    const auto magnitude = std::llabs(static_cast<int64_t>(value));
    return QLatin1String(axis) + (value < 0 ? QStringLiteral(": -") : QStringLiteral(": +")) +
           QString::number(magnitude);
}

} // namespace

bool isClockStamp(const QDateTime& stamp)
{
    return stamp.isValid() && stamp.date().year() > 1000;
}

QString soundingTimeText(const QDateTime& stamp, int32_t offsetMs)
{
    if (isClockStamp(stamp)) {
        const QDateTime t = stamp.addMSecs(offsetMs);
        const QLocale locale;
        // The long time format without a time zone, which the sounding's offset does not have.
        QString longTime = locale.timeFormat(QLocale::LongFormat);
        longTime.remove(QLatin1Char('t'));
        return locale.toString(t.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
               locale.toString(t.time(), longTime.trimmed());
    }
    QString text;
    const int32_t hours = offsetMs / 3600000;
    const int32_t minutes = (offsetMs % 3600000) / 60000;
    if (hours > 0) {
        text += QString::number(hours) + QStringLiteral(" hours, ");
    }
    if (minutes > 0) {
        text += QString::number(minutes) + QStringLiteral(" min., ");
    }
    const double seconds = (offsetMs % 60000) / 1000.0;
    return text + QString::number(seconds, 'g', QLocale::FloatingPointShortest) +
           QStringLiteral(" sec.");
}

QString FormatDepth(double dblDepth, int32_t depthFormat)
{
    double v = dblDepth;
    QString unit = QStringLiteral("ft");
    if (depthFormat != 0) {
        v = dblDepth * 0.3048;
        unit = QStringLiteral("m");
    }
    if (v < 1000) {
        // "#0.0#": at least one decimal, at most two.
        QString text = QString::number(roundHalfEven(v * 100.0) / 100.0, 'f', 2);
        if (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        return text + unit;
    }
    return QString::number(roundHalfEven(v), 'f', 0) + unit;
}

double LatitudeFromY(int32_t lPositionY)
{
    return (2.0 * std::atan(std::exp(lPositionY / 6356752.3142)) - 1.570796327) / 0.017453292;
}

double LongitudeFromX(int32_t lPositionX)
{
    return lPositionX / 110946.25431140834;
}

QString FormatPosition(int32_t lPositionX, int32_t lPositionY, int32_t positionFormat)
{
    const double latitude = LatitudeFromY(lPositionY);
    double longitude = LongitudeFromX(lPositionX);
    if (latitude >= 90.0 || longitude >= 180.0) {
        return QString();
    }
    longitude = std::max(longitude, -180.0);
    if (positionFormat == 3) {
        return metresLine("Y", lPositionY) + kCrLf + metresLine("X", lPositionX);
    }
    return coordinateLine(latitude, QLatin1Char('N'), QLatin1Char('S'), 2, positionFormat) + kCrLf +
           coordinateLine(longitude, QLatin1Char('E'), QLatin1Char('W'), 3, positionFormat);
}

QString frequencyText(uint8_t code)
{
    static const char* const kNames[] = {
        "200kHz", "50kHz",         "83kHz",        "455kHz",      "800kHz",     "38kHz",
        "28kHz",  "130kHz-210kHz", "90kHz-150kHz", "40kHz-60kHz", "25kHz-45kHz"};
    if (code < std::size(kNames)) {
        return QLatin1String(kNames[code]);
    }
    return QString::number(code) + QStringLiteral(" illegal");
}

std::optional<SoundingPosition> positionAt(tSonarFile& file, int32_t S, tSubHeader* atS,
                                           tSubHeader* found)
{
    // Backward: the sounding itself, else the nearest of the ten before it with a position.
    tSubHeader A;
    tSubHeader own;
    int32_t b = S - 11;
    for (int32_t i = S; i >= S - 10; --i) {
        if (i >= 0) {
            file.SReadSubHeader(i, A);
        }
        if (i == S) {
            own = A;
        }
        if (A.bPositionValid) {
            b = i;
            break;
        }
    }
    if (atS != nullptr) {
        *atS = own;
    }
    if (found != nullptr) {
        *found = A;
    }
    const auto of = [](const tSubHeader& h) {
        return SoundingPosition{h.lPositionX, h.lPositionY, h.sngSpeed, h.sngTrack};
    };
    if (b == S) {
        return of(A);
    }
    // Forward: the nearest of the ten after it.
    const int32_t count = file.NumSoundings();
    tSubHeader B;
    int32_t j = S + 1;
    for (; j <= S + 10; ++j) {
        if (j >= count) {
            continue;
        }
        file.SReadSubHeader(j, B);
        if (B.bPositionValid) {
            break;
        }
    }
    if (!A.bPositionValid && B.bPositionValid) {
        return of(B);
    }
    if (A.bPositionValid && !B.bPositionValid) {
        return of(A);
    }
    if (A.bPositionValid && B.bPositionValid) {
        const double before = j - S;
        const double after = S - b;
        const double span = j - b;
        return SoundingPosition{
            nearestInt32((A.lPositionX * before + B.lPositionX * after) / span),
            nearestInt32((A.lPositionY * before + B.lPositionY * after) / span),
            static_cast<float>((A.sngSpeed * before + B.sngSpeed * after) / span), A.sngTrack};
    }
    return std::nullopt;
}

std::optional<Readout> readoutFor(tSonarFile& file, int32_t S, float D, int32_t positionFormat,
                                  int32_t depthFormat)
{
    const int32_t count = file.NumSoundings();
    if (S < 0 || S >= count) {
        return std::nullopt;
    }
    tSubHeader A;
    tSubHeader atCursor;
    const std::optional<SoundingPosition> at = positionAt(file, S, &atCursor, &A);
    const bool hasPosition = at.has_value();
    const QString position = hasPosition ? FormatPosition(at->x, at->y, positionFormat) : QString();
    const float speed = hasPosition ? at->speed : -1.0f;
    const float track = hasPosition ? at->track : 0.0f;

    Readout readout;
    QString& text = readout.text;
    if (atCursor.bDepthValid) {
        text +=
            QStringLiteral("Bottom Depth: ") + FormatDepth(atCursor.sngDepth, depthFormat) + kCrLf;
    }
    text += QStringLiteral("Cursor Depth: ") + FormatDepth(D, depthFormat) + kCrLf +
            QStringLiteral("Sounding: ") + QString::number(S);
    if (hasPosition) {
        text += kCrLf + position;
    }
    if (speed >= 0) {
        // The first four characters of the number's text, as the recorder's software wrote it.
        const QString mph = QString::number(static_cast<double>(speed) * 1.1507, 'g', 15);
        text += kCrLf + mph.left(4) + QStringLiteral(" mph, Track=") +
                QString::number(nearestInt32(track * 180.0 / 3.141592654)) + kDegree;
    }
    if (A.bWaterTemperatureValid) {
        // The sub-header holds degrees Celsius; the readout says Fahrenheit.
        text += QStringLiteral(", Temp=") +
                QString::number(nearestInt32(A.sngWaterTemperature * 9.0 / 5.0 + 32.0)) +
                QLatin1Char('F');
    }
    if (atCursor.bTimeValid) {
        text += kCrLf + soundingTimeText(file.FileTimeStamp, atCursor.lTimeOffset);
    }
    const bool sl2 = file.Version() > 1;
    if (sl2) {
        text += kCrLf + QStringLiteral("Frequency: ") + frequencyText(A.m_Frequency) + kCrLf +
                QStringLiteral("Auto sense: ") + QString::number(A.m_AutoSenseRangecell);
    }

    readout.width = atCursor.bTimeValid ? 1930 : 1800;
    readout.height = (hasPosition ? 855 : 465) + (atCursor.bDepthValid ? 180 : 0) +
                     (atCursor.bTimeValid ? 190 : 0) + (speed >= 0 ? 195 : 0) + (sl2 ? 190 : 0);
    return readout;
}

} // namespace brellix
