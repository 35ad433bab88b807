// File > Export Chart Image...'s questions: which soundings, how many pixels the depth takes,
// whether the soundings are resampled to a size of their own, and whether depth lines are drawn.
#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QSpinBox;

namespace brellix {

class frmExportImage : public QDialog
{
    Q_OBJECT

public:
    // The most pixels soundings take; a longer range is sampled evenly down to it.
    static constexpr int32_t kMaxSoundingPixels = 16384;
    static constexpr int32_t kMaxDepthPixels = 8192;

    // Soundings from..to (to excluded) of a log of soundings proposed.
    frmExportImage(int32_t soundings, int32_t from, int32_t to, QWidget* parent);

    int32_t from() const;
    int32_t to() const;
    // The image's size across the depth.
    int32_t depthPixels() const;
    // Its size along the soundings: one line a sounding unless a size was chosen, never above
    // kMaxSoundingPixels.
    int32_t soundingPixels() const;
    bool depthLines() const;

    QSpinBox* spnFrom = nullptr;
    QSpinBox* spnTo = nullptr;
    QSpinBox* spnDepthPixels = nullptr;
    QSpinBox* spnSoundingPixels = nullptr; // 0: one line a sounding
    QCheckBox* chkDepthLines = nullptr;
};

} // namespace brellix
