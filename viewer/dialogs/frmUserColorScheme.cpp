#include "dialogs/frmUserColorScheme.h"

#include "common/ScreenTwips.h"
#include "dialogs/BoundSpinBox.h"
#include "dialogs/ColorBar.h"
#include "dialogs/ColorSwatch.h"
#include "render/RgbColor.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace brellix {

namespace {

// The layout in twips: groups side by side from the window's left margin.
constexpr int kMargin = 120;
constexpr int kGroupPitch = 1560;
constexpr int kGroupWidth = 1440;
constexpr int kRegionsWidth = 4860;
constexpr int kSingleWidth = 1770;
constexpr int kBarHeight = 2400;

QLabel* caption(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

} // namespace

frmUserColorScheme::frmUserColorScheme(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmUserColorScheme"));
    setWindowTitle(QStringLiteral("User Color Scheme"));
    m_chooseColor = [this](int32_t current) -> std::optional<int32_t> {
        const QColor chosen = QColorDialog::getColor(toQColor(current), this);
        if (!chosen.isValid()) {
            return std::nullopt;
        }
        return rgbColor(chosen.red(), chosen.green(), chosen.blue());
    };
    for (int region = 0; region < tColorScheme::kRegions; ++region) {
        createRegion(region);
    }
    connect(&m_scheme, &tColorScheme::UserPaletteChanged, this,
            &frmUserColorScheme::UserColorSchemeEvents_UserPaletteChanged);
    ShowUserColorScheme(m_shownColorMode);
    UserColorSchemeEvents_UserPaletteChanged();
}

frmUserColorScheme::~frmUserColorScheme() = default;

void frmUserColorScheme::createRegion(int region)
{
    static const std::array<QString, 3> captions = {
        QStringLiteral("Surface"), QStringLiteral("Fish"), QStringLiteral("Bottom")};
    RegionControls& controls = m_regions.at(size_t(region));
    auto* group = new QGroupBox(captions.at(size_t(region)), this);
    group->setObjectName(QStringLiteral("fraColorGroup_%1").arg(region));
    controls.fraColorGroup = group;
    controls.picPalette = new ColorBar(m_scheme, m_mouse, region, group);
    controls.picPalette->setFixedHeight(twipsToPixels(kBarHeight, screenTwipsPerPixelY(screen())));
    controls.picBlackline = new ColorSwatch(QStringLiteral("picBlackline_%1").arg(region), group);
    controls.picNoEcho = new ColorSwatch(QStringLiteral("picNoEcho_%1").arg(region), group);
    for (ColorSwatch* swatch : {controls.picBlackline, controls.picNoEcho}) {
        swatch->setFixedHeight(20);
    }
    controls.udBlacklineWidth =
        new BoundSpinBox(QStringLiteral("udBlacklineWidth_%1").arg(region),
                         QStringLiteral("txtBlacklineWidth_%1").arg(region), group);
    controls.udBlacklineWidth->setRange(0, kMaxBlacklineWidth);
    controls.udBlacklineWidth->setValue(4);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(controls.picPalette);
    layout->addWidget(caption("lblBlacklineColor", QStringLiteral("Blackline Color"), group));
    layout->addWidget(controls.picBlackline);
    layout->addWidget(caption("lblNoEchoColor", QStringLiteral("No Echo Color"), group));
    layout->addWidget(controls.picNoEcho);
    layout->addWidget(caption("Label3", QStringLiteral("Blackline Width"), group));
    layout->addWidget(controls.udBlacklineWidth);

    connect(controls.picPalette, &ColorBar::pointClicked, this, [this](int at, int point) {
        chooseColor(m_scheme.lColorValue(at, point), [this, at, point](int32_t color) {
            m_scheme.setlColorValue(at, point, color);
        });
    });
    connect(controls.picBlackline, &ColorSwatch::clicked, this, [this, region] {
        chooseColor(m_scheme.lBlacklineColor(region),
                    [this, region](int32_t color) { m_scheme.setlBlacklineColor(region, color); });
    });
    connect(controls.picNoEcho, &ColorSwatch::clicked, this, [this, region] {
        chooseColor(m_scheme.lNoEchoColor(region),
                    [this, region](int32_t color) { m_scheme.setlNoEchoColor(region, color); });
    });
    connect(controls.udBlacklineWidth, &QSpinBox::valueChanged, this,
            [this, region](int value) { udBlacklineWidth_Change(region, value); });
}

void frmUserColorScheme::ShowUserColorScheme(int32_t ColorMode)
{
    m_shownColorMode = ColorMode;
    // Sized with the fonts and margins the window shows with, also before its first show.
    ensurePolished();
    const double tppX = screenTwipsPerPixelX(screen());
    const double tppY = screenTwipsPerPixelY(screen());
    const bool regions = ColorMode == tColorScheme::kUserRegionsColorMode;
    // As tall as the group needs at its width, its captions wrapped.
    const int groupWidth = twipsToPixels(kGroupWidth, tppX);
    int height = 0;
    for (const RegionControls& controls : m_regions) {
        const QGroupBox* group = controls.fraColorGroup;
        height = std::max(height, group->hasHeightForWidth() ? group->heightForWidth(groupWidth)
                                                             : group->sizeHint().height());
    }
    for (int region = 0; region < tColorScheme::kRegions; ++region) {
        QGroupBox* group = m_regions.at(size_t(region)).fraColorGroup;
        const int slot = regions ? region : 0;
        group->setGeometry(twipsToPixels(kMargin + kGroupPitch * slot, tppX),
                           twipsToPixels(kMargin, tppY), twipsToPixels(kGroupWidth, tppX), height);
        group->setVisible(regions || region == 1);
    }
    m_regions[1].fraColorGroup->setTitle(regions ? QStringLiteral("Fish")
                                                 : QStringLiteral("Settings"));
    setFixedSize(twipsToPixels(regions ? kRegionsWidth : kSingleWidth, tppX),
                 height + 2 * twipsToPixels(kMargin, tppY));
}

void frmUserColorScheme::UserColorSchemeEvents_UserPaletteChanged()
{
    // The widths shown here are the scheme's: showing them writes nothing back.
    const QScopedValueRollback refreshing(m_refreshing, true);
    for (int region = 0; region < tColorScheme::kRegions; ++region) {
        RegionControls& controls = m_regions.at(size_t(region));
        controls.picPalette->update();
        controls.udBlacklineWidth->setValue(m_scheme.iBlacklineWidth(region));
        controls.udBlacklineWidth->text()->setText(
            QString::number(controls.udBlacklineWidth->value()));
        controls.picBlackline->setColor(m_scheme.lBlacklineColor(region));
        controls.picNoEcho->setColor(m_scheme.lNoEchoColor(region));
    }
}

void frmUserColorScheme::chooseColor(int32_t current, const std::function<void(int32_t)>& store)
{
    if (!m_chooseColor) {
        return;
    }
    if (const std::optional<int32_t> chosen = m_chooseColor(current)) {
        store(*chosen);
        UserColorSchemeEvents_UserPaletteChanged();
    }
}

void frmUserColorScheme::udBlacklineWidth_Change(int region, int value)
{
    if (m_refreshing) {
        return;
    }
    const auto width = static_cast<int16_t>(value);
    if (!m_regions[0].fraColorGroup->isHidden()) {
        m_scheme.setiBlacklineWidth(region, width);
    } else {
        m_scheme.setiAllBlacklineWidths(width);
    }
}

void frmUserColorScheme::showEvent(QShowEvent* event)
{
    // The captions' sizes are final once the window is polished for its screen.
    ShowUserColorScheme(m_shownColorMode);
    QWidget::showEvent(event);
}

void frmUserColorScheme::closeEvent(QCloseEvent* event)
{
    // The main window hides the editor without closing it, so every close is the user's.
    event->accept();
    emit closedByUser();
}

} // namespace brellix
