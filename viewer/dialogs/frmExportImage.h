// File > Export Chart Image...'s questions: which soundings, how tall the image is, whether it
// is resampled to a width of its own, and whether it carries depth lines.
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
    // The widest image written; a longer range is sampled evenly down to it.
    static constexpr int32_t kMaxWidth = 16384;
    static constexpr int32_t kMaxHeight = 8192;

    // Soundings from..to (to excluded) of a log of soundings proposed.
    frmExportImage(int32_t soundings, int32_t from, int32_t to, QWidget* parent);

    int32_t from() const;
    int32_t to() const;
    int32_t imageHeight() const;
    // The image's width: one column a sounding unless a width was chosen, never above kMaxWidth.
    int32_t imageWidth() const;
    bool depthLines() const;

    QSpinBox* spnFrom = nullptr;
    QSpinBox* spnTo = nullptr;
    QSpinBox* spnHeight = nullptr;
    QSpinBox* spnWidth = nullptr; // 0: one column a sounding
    QCheckBox* chkDepthLines = nullptr;
};

} // namespace brellix
