#include "tSonarOptions.h"

#include <stdexcept>

namespace brellix {

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

} // namespace

tSonarOptions::tSonarOptions(QObject* parent) : QObject(parent)
{
    m_noEchoColor.fill(kWhite);
    setsngDepthRange(600.0f);
}

size_t tSonarOptions::regionSlot(int ColorRegion)
{
    if (ColorRegion < 0 || ColorRegion > 2) {
        throw std::out_of_range("colour region outside 0 to 2");
    }
    return static_cast<size_t>(ColorRegion);
}

int32_t tSonarOptions::lBlacklineColor(int ColorRegion) const
{
    return m_blacklineColor[regionSlot(ColorRegion)];
}

void tSonarOptions::setlBlacklineColor(int ColorRegion, int32_t value)
{
    int32_t& stored = m_blacklineColor[regionSlot(ColorRegion)];
    if (stored == value) {
        return;
    }
    stored = value;
    emit OptionsChanged();
}

int32_t tSonarOptions::lNoEchoColor(int ColorRegion) const
{
    return m_noEchoColor[regionSlot(ColorRegion)];
}

void tSonarOptions::setlNoEchoColor(int ColorRegion, int32_t value)
{
    int32_t& stored = m_noEchoColor[regionSlot(ColorRegion)];
    if (stored == value) {
        return;
    }
    stored = value;
    emit OptionsChanged();
}

void tSonarOptions::setiSensitivity(int16_t value)
{
    m_sensitivity = value;
    emit OptionsChanged();
}

void tSonarOptions::setiColorLine(int16_t value)
{
    if (m_colorLine == value) {
        return;
    }
    m_colorLine = value;
    emit OptionsChanged();
}

int16_t tSonarOptions::iBlackLine(int ColorRegion) const
{
    return m_blackLine[regionSlot(ColorRegion)];
}

void tSonarOptions::setiBlackLine(int ColorRegion, int16_t value)
{
    int16_t& stored = m_blackLine[regionSlot(ColorRegion)];
    if (stored == value) {
        return;
    }
    stored = value;
    emit OptionsChanged();
}

void tSonarOptions::setbAutoSensitivity(bool value)
{
    if (m_autoSensitivity == value) {
        return;
    }
    m_autoSensitivity = value;
    emit OptionsChanged();
}

void tSonarOptions::setsngUpperLimit(float value)
{
    if (value == m_upperLimit) {
        return;
    }
    m_upperLimit = value;
    if (m_lowerLimit - m_upperLimit < kMinimumDepthRange) {
        m_upperLimit = m_lowerLimit - kMinimumDepthRange;
    }
    if (m_upperLimit < 0.0f && !m_allowSubZeroUpperLimit) {
        m_upperLimit = 0.0f;
    }
    emit OptionsChanged();
}

void tSonarOptions::setAllowSubZeroUL(bool value)
{
    m_allowSubZeroUpperLimit = value;
}

void tSonarOptions::setsngLowerLimit(float value)
{
    if (value == m_lowerLimit) {
        return;
    }
    m_lowerLimit = value;
    if (m_lowerLimit - m_upperLimit < kMinimumDepthRange) {
        m_lowerLimit = m_upperLimit + kMinimumDepthRange;
    }
    if (m_lowerLimit < kMinimumDepthRange) {
        m_lowerLimit = kMinimumDepthRange;
    }
    emit OptionsChanged();
}

void tSonarOptions::setsngDepthRange(float value)
{
    if (m_upperLimit == 0.0f && m_lowerLimit == value) {
        return;
    }
    if (value < kMinimumDepthRange) {
        value = kMinimumDepthRange;
    }
    m_upperLimit = 0.0f;
    m_lowerLimit = value;
    emit OptionsChanged();
}

void tSonarOptions::setbAutoDepthRange(bool value)
{
    if (m_autoDepthRange == value) {
        return;
    }
    m_autoDepthRange = value;
    emit OptionsChanged();
}

void tSonarOptions::setbFishDepths(bool value)
{
    if (m_fishDepths == value) {
        return;
    }
    m_fishDepths = value;
    emit OptionsChanged();
}

void tSonarOptions::setbFishSymbols(bool value)
{
    if (m_fishSymbols == value) {
        return;
    }
    m_fishSymbols = value;
    emit OptionsChanged();
}

void tSonarOptions::setSurfaceClarity(int32_t value)
{
    if (m_surfaceClarity == value) {
        return;
    }
    m_surfaceClarity = value;
    emit OptionsChanged();
}

void tSonarOptions::setAdvancedSignalProcessing(int32_t value)
{
    if (m_advancedSignalProcessing == value) {
        return;
    }
    m_advancedSignalProcessing = value;
    emit OptionsChanged();
}

void tSonarOptions::setColorMode(int32_t value)
{
    if (m_colorMode == value) {
        return;
    }
    m_colorMode = value;
    emit OptionsChanged();
}

void tSonarOptions::copyFrom(const tSonarOptions& other)
{
    if (values(*this) == values(other)) {
        return;
    }
    values(*this) = values(other);
    emit OptionsChanged();
}

QString tSonarOptions::colorModeMenuCaption(int32_t mode)
{
    switch (mode) {
    case kGrayscale:
        return QStringLiteral("Grayscale");
    case kInverseGrayscale:
        return QStringLiteral("Inverse Grayscale");
    default:
        return colorModeDialogCaption(mode);
    }
}

QString tSonarOptions::colorModeDialogCaption(int32_t mode)
{
    switch (mode) {
    case kGrayscale:
        return QStringLiteral("Monochrome");
    case kInverseGrayscale:
        return QStringLiteral("Inverse Monochrome");
    case kColorWhiteBackground:
        return QStringLiteral("Color White Background");
    case kColorBlueBackground:
        return QStringLiteral("Color Blue Background");
    case kScanningBrown:
        return QStringLiteral("Scanning Brown");
    case kScanningGray:
        return QStringLiteral("Scanning Gray");
    case kUserDefined:
        return QStringLiteral("User Defined");
    case kUserDefinedRegions:
        return QStringLiteral("User Defined Regions");
    default:
        return {};
    }
}

} // namespace brellix
